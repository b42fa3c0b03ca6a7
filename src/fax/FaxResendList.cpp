#include "FaxResendList.h"

#include "Text.h"

namespace corvane {

std::vector<FaxResendList::Entry> FaxResendList::parse(std::string_view text)
{
    std::vector<Entry> entries;
    if (text.empty())
        return entries;
    const auto pieces = text::split(text, '|');
    for (std::size_t i = 0; i < pieces.size(); i += 2)
        entries.push_back({std::string(pieces[i]), i + 1 < pieces.size() ? std::string(pieces[i + 1]) : std::string()});
    return entries;
}

std::string FaxResendList::join(const std::vector<Entry>& entries)
{
    std::string text;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0)
            text += '|';
        text.append(entries[i].job).append("|").append(entries[i].fax);
    }
    return text;
}

} // namespace corvane
