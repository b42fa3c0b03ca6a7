#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// One reply to a fax listing request, read but not copied: the views point into the reply's lines.
struct FaxListingPage {
    enum class Kind {
        Records, ///< a header line and the record lines that followed it (possibly none)
        NoMore, ///< the reply is exactly "|OK||": no (further) records
        Error, ///< an error line, or no reply at all
    };
    Kind kind = Kind::NoMore;
    std::string errorText;
    /// The count the header announces (characters 8 to 12), or -1 when they do not hold a number.
    int announced = -1;
    /// The suspended flag of the header; nothing when the header does not carry one.
    std::optional<bool> suspended;
    std::vector<std::string_view> headings;
    std::vector<std::string_view> records;
};

/// Reads the replies of "|GET|TRAN|FAXSTAT|" listings. The header rides on the first line, which starts with
/// "|OK||"; the record lines follow, TAB-separated, and "|END||" (or "|END|") closes the list.
class FaxListing {
public:
    static FaxListingPage read(const std::vector<std::string>& lines);
    /// The decimal number in characters 8 to 12 of a header line; -1 when they do not hold one.
    static int headerCount(std::string_view header);
    /// The suspended flag: the fourth "|"-field, after its "/", begins with the TAB-field "1" when suspended.
    static std::optional<bool> suspendedFlag(std::string_view header);
    /// "|END||" or "|END|", in any letter case.
    static bool isEndLine(std::string_view line);
};

} // namespace corvane
