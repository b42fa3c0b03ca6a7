#include "SecurityReply.h"

#include "ReplyFraming.h"
#include "Text.h"

#include <charconv>

namespace corvane {

bool SecurityReply::failed(std::string_view reply)
{
    if (text::trim(reply).empty() || ReplyFraming::isErrorLine(reply))
        return true;
    return text::startsWithNoCase(text::trim(reply), "ERROR");
}

bool SecurityReply::readsAsTrue(std::string_view flag)
{
    const std::string folded = text::upper(text::trim(flag));
    if (folded == "TRUE" || folded == "Y" || folded == "YES")
        return true;
    if (folded.empty())
        return false;
    long value = 0;
    const char* first = folded.data();
    if (*first == '+')
        ++first;
    const auto [end, error] = std::from_chars(first, folded.data() + folded.size(), value);
    return error == std::errc() && end == folded.data() + folded.size() && value != 0;
}

std::string SecurityReply::withoutLineBreaks(std::string_view text)
{
    // Every CR and LF byte goes, not only CR LF pairs: removing a pair could join a lone CR and LF into a new one,
    // and a second reading of the saved text would then differ from the first.
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != '\r' && c != '\n')
            out += c;
    }
    return out;
}

std::vector<std::string_view> SecurityReply::records(std::string_view text)
{
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find(text::recordSeparator, start);
        if (end == std::string_view::npos) {
            pieces.push_back(text.substr(start));
            break;
        }
        pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

} // namespace corvane
