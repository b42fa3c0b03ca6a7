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

namespace {

/// Sends through one of the server link's two operations; a missing or throwing link counts as not sent.
template<typename Reply, typename Send> Reply send(Send&& operation, const std::string& request)
{
    Reply reply;
    auto link = SharedState::instance().quillon;
    if (!link) {
        reply.errorText = "no server link";
        return reply;
    }
    try {
        bool success = false;
        operation(*link, request, reply, success);
        reply.sent = success;
    } catch (...) {
        reply.sent = false;
        reply.errorText = Log::describeCurrentException();
    }
    return reply;
}

} // namespace

StringReply ServerRequest::viaString(const std::string& request)
{
    StringReply reply = send<StringReply>(
        [](Quillon& link, const std::string& text, StringReply& out, bool& success) {
            link.GetServerStringData(text, out.text, std::string(), out.errorText, success);
        },
        request);
    if (!reply.sent)
        reply.text.clear();
    return reply;
}

LinesReply ServerRequest::viaLines(const std::string& request)
{
    LinesReply reply = send<LinesReply>(
        [](Quillon& link, const std::string& text, LinesReply& out, bool& success) {
            link.DirectComm(text, out.lines, std::string(), out.errorText, success);
        },
        request);
    if (!reply.sent)
        reply.lines.clear();
    return reply;
}

} // namespace corvane
