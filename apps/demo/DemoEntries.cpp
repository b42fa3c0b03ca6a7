#include "DemoEntries.h"

#include "CommonRoutines.h"
#include "CorvaneDialogsMgr.h"
#include "LookupWindow.h"
#include "ReferenceHost.h"
#include "WireCodec.h"

namespace corvane::demo {

std::vector<DemoEntry> demoEntries(CorvaneDialogsMgr& manager, reference::ReferenceHost& host)
{
    std::vector<DemoEntry> entries;

    entries.push_back({QStringLiteral("DiagnosisLookup"), QStringLiteral("Diagnosis code lookup (DG)"),
                       [&manager](QWidget* launcher, const auto& report) {
                           manager.RefreshSharedState();
                           LookupCall call;
                           call.parent = launcher;
                           call.insertNumber = true;
                           const std::string chosen = GeneralLookup("DG", call);
                           report(QStringLiteral("GeneralLookup(\"DG\") returned \"%1\"")
                                      .arg(WireCodec::toQString(chosen)));
                       },
                       [&host]() -> QWidget* {
                           auto table = host.codeTables->table("PC");
                           std::vector<reference::LookupWindow::Entry> rows;
                           for (const auto& row : table->rows())
                               rows.push_back({row[0], row[1].substr(row[1].find('\t') + 1)});
                           auto* window = new reference::LookupWindow(QStringLiteral("Procedure Codes"), rows);
                           window->setSearchText(QStringLiteral("992"));
                           return window;
                       }});

    return entries;
}

} // namespace corvane::demo
