#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// The jobs of a resend: job "|" fax pairs joined by "|", as the queue hands them over and the server takes them.
class FaxResendList {
public:
    struct Entry {
        std::string job;
        std::string fax;
    };

    /// The pairs of text, empty pieces kept (an e-mail job has no fax number); a last job without its fax piece
    /// gets an empty one. An empty text has no pairs.
    static std::vector<Entry> parse(std::string_view text);
    static std::string join(const std::vector<Entry>& entries);
};

} // namespace corvane
