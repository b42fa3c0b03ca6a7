#include "ReferenceHost.h"

#include "CorvaneDialogsMgr.h"

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

namespace corvane::reference {

void ReferenceHost::initialise(CorvaneDialogsMgr& manager) const
{
    std::shared_ptr<Quillon> serverLink = link;
    std::shared_ptr<CorvaneUtils> utilities = utils;
    std::shared_ptr<CorvaneCodeTables> tables = codeTables;
    std::shared_ptr<CorvaneLookups> lookup = lookups;
    std::shared_ptr<CorvaneServerUtils> server = serverUtils;
    manager.InitDialogsMgr(serverLink, utilities, tables, lookup, server);
}

} // namespace corvane::reference
