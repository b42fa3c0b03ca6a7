#pragma once

#include "FaultInjectingLink.h"
#include "PracticeServer.h"
#include "ReferenceCodeTables.h"
#include "ReferenceLookups.h"
#include "ReferenceServerLink.h"
#include "ReferenceServerUtils.h"
#include "ReferenceUtils.h"

#include <memory>
#include <string>

namespace corvane {
class CorvaneDialogsMgr;
}

namespace corvane::reference {

/// The five reference components on one practice server, as a host would create them. The server link is
/// wrapped in a FaultInjectingLink, which passes everything through until told otherwise.
struct ReferenceHost {
    ReferenceHost(const std::string& databasePath, const std::string& operatorCode, const QString& logPath = {});

    /// Hands the five components to the manager, as a host does once at start-up.
    void initialise(CorvaneDialogsMgr& manager) const;

    std::shared_ptr<PracticeServer> server;
    std::shared_ptr<ReferenceServerLink> directLink;
    std::shared_ptr<FaultInjectingLink> link;
    std::shared_ptr<ReferenceUtils> utils;
    std::shared_ptr<ReferenceCodeTables> codeTables;
    std::shared_ptr<ReferenceLookups> lookups;
    std::shared_ptr<ReferenceServerUtils> serverUtils;
};

} // namespace corvane::reference
