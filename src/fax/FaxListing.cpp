#include "FaxListing.h"

#include "ReplyFraming.h"
#include "Text.h"

namespace corvane {

int FaxListing::headerCount(std::string_view header)
{
    if (header.size() < 8)
        return -1;
    const std::string_view digits = text::trim(header.substr(7, 5));
    if (digits.empty())
        return -1;
    int count = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return -1;
        count = count * 10 + (c - '0');
    }
    return count;
}

std::optional<bool> FaxListing::suspendedFlag(std::string_view header)
{
    std::size_t start = 0;
    for (int bar = 0; bar < 3; ++bar) {
        start = header.find('|', start);
        if (start == std::string_view::npos)
            return std::nullopt;
        ++start;
    }
    std::string_view field = header.substr(start);
    field = field.substr(0, field.find('|'));
    const std::size_t slash = field.find('/');
    if (slash == std::string_view::npos)
        return std::nullopt;
    const std::string_view after = field.substr(slash + 1);
    return after.substr(0, after.find('\t')) == "1";
}

bool FaxListing::isEndLine(std::string_view line)
{
    return text::equalsNoCase(line, "|END||") || text::equalsNoCase(line, ReplyFraming::endMarker);
}

FaxListingPage FaxListing::read(const std::vector<std::string>& lines)
{
    FaxListingPage page;
    if (lines.empty()) {
        page.kind = FaxListingPage::Kind::Error;
        page.errorText = "The server sent no reply.";
        return page;
    }
    const std::string_view first = lines.front();
    if (ReplyFraming::isErrorLine(first)) {
        page.kind = FaxListingPage::Kind::Error;
        page.errorText = std::string(ReplyFraming::withoutLeadingMarker(first));
        return page;
    }
    if (first == ReplyFraming::okMarker || isEndLine(first))
        return page;
    page.kind = FaxListingPage::Kind::Records;
    page.announced = headerCount(first);
    page.suspended = suspendedFlag(first);
    page.headings = text::split(first, '\t');
    page.records.reserve(lines.size() - 1);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (isEndLine(line))
            break;
        if (!line.empty())
            page.records.push_back(line);
    }
    return page;
}

} // namespace corvane
