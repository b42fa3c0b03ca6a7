#include "ReferenceHost.h"

namespace corvane::reference {

ReferenceHost::ReferenceHost(const std::string& databasePath, const std::string& operatorCode, const QString& logPath)
    : server(std::make_shared<PracticeServer>(databasePath))
    , directLink(std::make_shared<ReferenceServerLink>(server, operatorCode))
    , link(std::make_shared<FaultInjectingLink>(directLink))
    , utils(std::make_shared<ReferenceUtils>(link, logPath))
    , codeTables(std::make_shared<ReferenceCodeTables>(link))
    , lookups(std::make_shared<ReferenceLookups>(codeTables))
    , serverUtils(std::make_shared<ReferenceServerUtils>(codeTables))
{
}

} // namespace corvane::reference
