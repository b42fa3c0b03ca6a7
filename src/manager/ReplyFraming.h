#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// The framing of server replies shared by every window.
class ReplyFraming {
public:
    static constexpr std::string_view okMarker = "|OK||";
    static constexpr std::string_view endMarker = "|END|";

    /// An error reply line: after one leading "|OK||" or "|END|" marker is set aside, it begins with "Error".
    /// Markers and the word count in any letter case, so "Error...", "|OK||ERROR..." and "|ok||error" alike.
    static bool isErrorLine(std::string_view line);
    /// The line with one leading "|OK||" or "|END|" marker (in any letter case) removed.
    static std::string_view withoutLeadingMarker(std::string_view line);
    /// The data of a line reply: the lines joined with CR LF, without the framing, that is the "|OK||" that
    /// begins the first line and the "|END|" that ends the last. The same texts inside the data are data and stay,
    /// so that what is read can be written back unchanged.
    static std::string joinData(const std::vector<std::string>& lines);
    /// Message text with every colon shown as a line break (CR LF).
    static std::string colonsAsLineBreaks(std::string_view message);
};

/// A status reply: "|" status "|" title "|" message ...; fields counted from 0 (field 0 is empty).
struct StatusReply {
    std::vector<std::string_view> fields;

    static StatusReply parse(std::string_view reply);
    std::string_view field(std::size_t index) const;
    std::string_view status() const { return field(1); }
    std::string_view title() const { return field(2); }
    std::string_view message() const { return field(3); }
};

} // namespace corvane
