#pragma once

#include <string>
#include <vector>

namespace corvane {

/// The answer of a request sent with GetServerStringData.
struct StringReply {
    bool sent = false; ///< false when the request did not reach the server or got no answer
    std::string text;
    std::string errorText; ///< the server link's error text when not sent
};

/// The answer of a request sent with DirectComm.
struct LinesReply {
    bool sent = false;
    std::vector<std::string> lines;
    std::string errorText;

    /// The first line, or empty when there is none.
    const std::string& firstLine() const;
    /// True when the first line is an error line (ReplyFraming::isErrorLine).
    bool isError() const;
    /// The data: lines joined with CR LF, every "|OK||" and "|END|" removed.
    std::string data() const;
};

/// The one way the library sends requests. Never throws: a link that throws counts as not sent.
class ServerRequest {
public:
    static StringReply viaString(const std::string& request);
    static LinesReply viaLines(const std::string& request);
};

} // namespace corvane
