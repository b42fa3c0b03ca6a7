#include "DemoEntries.h"

#include "CommonRoutines.h"
#include "CorvaneDialogsMgr.h"
#include "LookupWindow.h"
#include "ReferenceHost.h"
#include "WindowRunner.h"
#include "WireCodec.h"
#include "stw/STWDialog.h"
#include "stw/frmSTW.h"

namespace corvane::demo {

std::vector<DemoEntry> demoEntries(CorvaneDialogsMgr& manager, reference::ReferenceHost& host)
{
    std::vector<DemoEntry> entries;

    entries.push_back({QStringLiteral("STW"), QStringLiteral("Codes Cross Reference (STW)"),
                       [&manager](QWidget*, const auto& report) {
                           const bool result = manager.GetSTWDlg()->ShowSTWDialog();
                           report(QStringLiteral("ShowSTWDialog returned %1").arg(result ? u"True" : u"False"));
                       },
                       [&manager]() -> QWidget* {
                           manager.RefreshSharedState();
                           WindowRunner::setMode(WindowRunner::Mode::NonModal);
                           auto* window = new frmSTW;
                           window->STWShow(QStringLiteral("Codes Cross Reference"));
                           WindowRunner::setMode(WindowRunner::Mode::Modal);
                           return window;
                       }});

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
