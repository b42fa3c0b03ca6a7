#include "FaxRequests.h"

namespace corvane {

namespace {

std::string joined(std::string_view a, std::string_view b)
{
    std::string text;
    text.reserve(a.size() + b.size());
    text.append(a).append(b);
    return text;
}

} // namespace

std::string FaxRequests::listing(std::string_view tabCode, std::string_view search)
{
    std::string request = joined("|GET|TRAN|FAXSTAT|", tabCode);
    if (!search.empty())
        request.append("|S|").append(search);
    return request;
}

std::string FaxRequests::further(std::string_view listing, std::string_view lastKey)
{
    return std::string(listing).append("|").append(lastKey);
}

std::string FaxRequests::suspend(bool suspended)
{
    return suspended ? "|GET|TRAN|FAXSTAT|SUSPEND|1" : "|GET|TRAN|FAXSTAT|SUSPEND|0";
}

std::string FaxRequests::cancel(std::string_view jobs)
{
    return joined("|GET|TRAN|FAXSTAT|C|", jobs);
}

std::string FaxRequests::resend(std::string_view pairs)
{
    return joined("|GET|TRAN|FAXSTAT|R|", pairs);
}

std::string FaxRequests::documentId(std::string_view job)
{
    return joined("|GET|TRAN|TRANID|", job);
}

std::string FaxRequests::takeOver(std::string_view job)
{
    return joined("|SET|TRAN|TRAN|Q|", job);
}

std::string FaxRequests::senderDefaults()
{
    return "|GET|TRAN|FAXCONFIG|";
}

std::string FaxRequests::recipient(std::string_view key)
{
    return joined("|GET|TRAN|RFG|", key);
}

std::string FaxRequests::send(std::string_view job, std::string_view faxData)
{
    return joined("|GET|TRAN|FAX|", job).append("|").append(faxData);
}

} // namespace corvane
