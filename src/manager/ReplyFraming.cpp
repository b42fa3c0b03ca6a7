#include "ReplyFraming.h"

#include "Text.h"

namespace corvane {

std::string_view ReplyFraming::withoutLeadingMarker(std::string_view line)
{
    if (line.starts_with(okMarker))
        return line.substr(okMarker.size());
    if (line.starts_with(endMarker))
        return line.substr(endMarker.size());
    return line;
}

bool ReplyFraming::isErrorLine(std::string_view line)
{
    return text::startsWithNoCase(withoutLeadingMarker(line), "Error");
}

std::string ReplyFraming::joinData(const std::vector<std::string>& lines)
{
    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 2;
    std::string joined;
    joined.reserve(size);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            joined += text::lineBreak;
        joined += lines[i];
    }
    // Markers are removed after joining so that one split across lines by the server is not left behind.
    std::string out = text::replaceAll(joined, okMarker, "");
    return text::replaceAll(out, endMarker, "");
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
