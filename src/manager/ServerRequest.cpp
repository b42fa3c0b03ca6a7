#include "ServerRequest.h"

#include "Log.h"
#include "ReplyFraming.h"
#include "SharedState.h"

namespace corvane {

const std::string& LinesReply::firstLine() const
{
    static const std::string none;
    return lines.empty() ? none : lines.front();
}

bool LinesReply::isError() const
{
    return ReplyFraming::isErrorLine(firstLine());
}

std::string LinesReply::data() const
{
    return ReplyFraming::joinData(lines);
}

StringReply ServerRequest::viaString(const std::string& request)
{
    StringReply reply;
    auto link = SharedState::instance().quillon;
    if (!link) {
        reply.errorText = "no server link";
        return reply;
    }
    try {
        bool success = false;
        link->GetServerStringData(request, reply.text, std::string(), reply.errorText, success);
        reply.sent = success;
    } catch (...) {
        reply.sent = false;
        reply.errorText = Log::describeCurrentException();
    }
    if (!reply.sent)
        reply.text.clear();
    return reply;
}

LinesReply ServerRequest::viaLines(const std::string& request)
{
    LinesReply reply;
    auto link = SharedState::instance().quillon;
    if (!link) {
        reply.errorText = "no server link";
        return reply;
    }
    try {
        bool success = false;
        link->DirectComm(request, reply.lines, std::string(), reply.errorText, success);
        reply.sent = success;
    } catch (...) {
        reply.sent = false;
        reply.errorText = Log::describeCurrentException();
    }
    if (!reply.sent)
        reply.lines.clear();
    return reply;
}

} // namespace corvane
