#include "ReplyFraming.h"

#include "Text.h"

namespace corvane {

std::string_view ReplyFraming::withoutLeadingMarker(std::string_view line)
{
    if (text::startsWithNoCase(line, okMarker))
        return line.substr(okMarker.size());
    if (text::startsWithNoCase(line, endMarker))
        return line.substr(endMarker.size());
    return line;
}

bool ReplyFraming::isErrorLine(std::string_view line)
{
    return text::startsWithNoCase(withoutLeadingMarker(line), "Error");
}

std::string ReplyFraming::joinData(const std::vector<std::string>& lines)
{
    // The end marker closes the last line that holds anything; a server may send an empty line after it.
    std::size_t last = lines.size();
    while (last > 0 && lines[last - 1].empty())
        --last;
    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 2;
    std::string joined;
    joined.reserve(size);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            joined += text::lineBreak;
        std::string_view line = lines[i];
        if (i == 0 && text::startsWithNoCase(line, okMarker))
            line.remove_prefix(okMarker.size());
        if (i + 1 == last && line.size() >= endMarker.size()
            && text::equalsNoCase(line.substr(line.size() - endMarker.size()), endMarker))
            line.remove_suffix(endMarker.size());
        joined += line;
    }
    return joined;
}

std::string ReplyFraming::colonsAsLineBreaks(std::string_view message)
{
    return text::replaceAll(message, ":", text::lineBreak);
}

StatusReply StatusReply::parse(std::string_view reply)
{
    StatusReply status;
    status.fields = text::split(reply, '|');
    return status;
}

std::string_view StatusReply::field(std::size_t index) const
{
    return index < fields.size() ? fields[index] : std::string_view();
}

} // namespace corvane
