#pragma once

#include <string>
#include <string_view>

namespace corvane {

/// The request texts of the fax and e-mail windows. Values arrive as wire text already checked for separators.
class FaxRequests {
public:
    /// "|GET|TRAN|FAXSTAT|" code, with "|S|" search when the search is not empty.
    static std::string listing(std::string_view tabCode, std::string_view search);
    /// The listing request continued after the row with key lastKey.
    static std::string further(std::string_view listing, std::string_view lastKey);
    static std::string suspend(bool suspended);
    /// "|GET|TRAN|FAXSTAT|C|" and the job numbers joined by "|".
    static std::string cancel(std::string_view jobs);
    /// "|GET|TRAN|FAXSTAT|R|" and job "|" fax pairs joined by "|".
    static std::string resend(std::string_view pairs);
    static std::string documentId(std::string_view job);
    static std::string takeOver(std::string_view job);
    static std::string senderDefaults();
    static std::string recipient(std::string_view key);
    static std::string send(std::string_view job, std::string_view faxData);
};

} // namespace corvane
