#include "PracticeServer.h"

#include "ColaiRequests.h"
#include "CustomFormRequests.h"
#include "DocumentRequests.h"
#include "FaxQueueRequests.h"
#include "PatientSetupRequests.h"
#include "PrinterRequests.h"
#include "SchedulerRequests.h"
#include "SecurityRequests.h"
#include "SeedData.h"
#include "SharedRequests.h"
#include "StwRequests.h"

namespace corvane::reference {

const std::string& Request::arg(std::size_t i) const
{
    static const std::string none;
    return i < args.size() ? args[i] : none;
}

std::string Request::payloadAfter(std::size_t count) const
{
    std::size_t at = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t bar = rest.find('|', at);
        if (bar == std::string::npos)
            return {};
        at = bar + 1;
    }
    return rest.substr(at);
}

PracticeServer::PracticeServer(const std::string& databasePath)
    : m_db(std::make_unique<Database>(databasePath))
{
    createSchemaAndSeed(*m_db);
    registerSharedRequests(*this);
    registerStwRequests(*this);
    registerColaiRequests(*this);
    registerFaxQueueRequests(*this);
    registerSecurityRequests(*this);
    registerCustomFormRequests(*this);
    registerPatientSetupRequests(*this);
    registerSchedulerRequests(*this);
    registerDocumentRequests(*this);
    registerPrinterRequests(*this);
}

void PracticeServer::addHandler(const std::string& verb, const std::string& table, Handler handler)
{
    m_handlers[verb + "|" + table] = std::move(handler);
}

bool PracticeServer::parse(const std::string& text, Request& request)
{
    if (text.size() < 2 || text.front() != '|')
        return false;
    std::vector<std::string> fields;
    std::size_t start = 1;
    for (;;) {
        const std::size_t bar = text.find('|', start);
        if (bar == std::string::npos) {
            fields.push_back(text.substr(start));
            break;
        }
        fields.push_back(text.substr(start, bar - start));
        start = bar + 1;
    }
    if (fields.size() < 2 || fields[0].empty() || fields[1].empty())
        return false;
    request.verb = fields[0];
    request.table = fields[1];
    request.args.assign(fields.begin() + 2, fields.end());
    const std::size_t afterTable = text.find('|', 1 + request.verb.size() + 1);
    request.rest = afterTable == std::string::npos ? std::string() : text.substr(afterTable + 1);
    return true;
}

Answer PracticeServer::answer(const std::string& text, const std::string& operatorCode)
{
    Request request;
    if (!parse(text, request))
        return Answer::failure("Error: malformed request");
    request.operatorCode = operatorCode;
    const auto handler = m_handlers.find(request.verb + "|" + request.table);
    if (handler == m_handlers.end())
        return Answer::failure("Error: unknown request " + request.verb + " on table " + request.table);
    try {
        return handler->second(request);
    } catch (const std::exception& e) {
        return Answer::failure(std::string("Error: ") + e.what());
    }
}

std::string PracticeServer::answerString(const std::string& request, const std::string& operatorCode)
{
    const Answer result = answer(request, operatorCode);
    if (!result.ok)
        return result.error;
    std::string joined;
    for (std::size_t i = 0; i < result.lines.size(); ++i) {
        if (i > 0)
            joined += "\r\n";
        joined += result.lines[i];
    }
    return joined;
}

std::vector<std::string> PracticeServer::answerLines(const std::string& request, const std::string& operatorCode)
{
    const Answer result = answer(request, operatorCode);
    if (!result.ok)
        return {result.error, "|END|"};
    if (result.ownFraming)
        return result.lines;
    std::vector<std::string> lines;
    lines.reserve(result.lines.size() + 2);
    lines.emplace_back("|OK||");
    lines.insert(lines.end(), result.lines.begin(), result.lines.end());
    lines.emplace_back("|END|");
    return lines;
}

} // namespace corvane::reference
