#include "DemoEntries.h"

#include "CommonRoutines.h"
#include "CorvaneDialogsMgr.h"
#include "LookupWindow.h"
#include "ReferenceHost.h"
#include "WindowRunner.h"
#include "WireCodec.h"
#include "altfees/EditAltFeeDialog.h"
#include "altfees/frmEditAltFees.h"
#include "chargeslips/ChargeSet.h"
#include "chargeslips/ChargeSlipSetDialog.h"
#include "chargeslips/frmChargeSetGroups.h"
#include "chargeslips/frmChargeSetItems.h"
#include "collections/CollectionDialog.h"
#include "collections/frmCollections.h"
#include "stw/STWDialog.h"
#include "stw/frmSTW.h"

namespace corvane::demo {

namespace {

const std::string sampleSet = "Diabetes care\tD\t\t\xE6\t\tE11.9\tType 2 diabetes mellitus without complications\xE6"
                              "\t\tE78.5\tHyperlipidemia, unspecified\xE6Office visits\tP\t\t\xE6"
                              "\t\t99213\tOffice visit, established, low complexity\xE6"
                              "\t\t99214\tOffice visit, established, moderate complexity\xE6Labs\tP\t\t\xE6"
                              "\t\t80053\tComprehensive metabolic panel";
const std::string sampleFees = "5\t11000\xE6"
                               "12\t1250\xE6"
                               "7\t9875\xE6"
                               "150\t9900\xE6";

} // namespace

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
                       },
                       nullptr});

    entries.push_back(
        {QStringLiteral("DiagnosisLookup"), QStringLiteral("Diagnosis code lookup (DG)"),
         [&manager](QWidget* launcher, const auto& report) {
             manager.RefreshSharedState();
             LookupCall call;
             call.parent = launcher;
             call.insertNumber = true;
             const std::string chosen = GeneralLookup("DG", call);
             report(QStringLiteral("GeneralLookup(\"DG\") returned \"%1\"").arg(WireCodec::toQString(chosen)));
         },
         [&host]() -> QWidget* {
             auto table = host.codeTables->table("PC");
             std::vector<reference::LookupWindow::Entry> rows;
             for (const auto& row : table->rows())
                 rows.push_back({row[0], row[1].substr(row[1].find('\t') + 1)});
             auto* window = new reference::LookupWindow(QStringLiteral("Procedure Codes"), rows);
             window->setSearchText(QStringLiteral("992"));
             return window;
         },
         nullptr});

    entries.push_back(
        {QStringLiteral("Collections"), QStringLiteral("Collections"),
         [&manager](QWidget*, const auto& report) {
             std::string message;
             bool continueNext = false;
             const bool result = manager.GetCollectionDlg()->ShowDialog(message, continueNext);
             report(QStringLiteral("CollectionDialog returned %1: ContinueNextAcct = %2, MessageData = \"%3\"")
                        .arg(result ? u"True" : u"False", continueNext ? u"True" : u"False",
                             WireCodec::toQString(message)));
         },
         [&manager]() -> QWidget* {
             manager.RefreshSharedState();
             auto* window = new frmCollections;
             window->ShowCollections(false);
             return window;
         },
         nullptr});

    const auto setSample = std::make_shared<std::string>(sampleSet);
    const auto feeSample = std::make_shared<std::string>(sampleFees);

    DemoEntry chargeSlips {
        QStringLiteral("ChargeSlipSet"), QStringLiteral("Charge slip set"),
        [&manager, setSample](QWidget*, const auto& report) {
            auto dialog = manager.GetChargeSlipSetDlg();
            std::string data = *setSample;
            dialog->ShowDialog(data);
            report(QStringLiteral("ChargeSlipSetDialog: Cancelled = %1, GetData = \"%2\"")
                       .arg(dialog->Cancelled() ? u"True" : u"False", DemoLauncher::showSample(dialog->GetData())));
        },
        [setSample]() -> QWidget* {
            static ChargeSet set;
            set.clear();
            set.parse(*setSample);
            return new frmChargeSetGroups(set, false);
        },
        setSample};
    entries.push_back(std::move(chargeSlips));

    entries.push_back({QStringLiteral("ChargeSlipSetReadOnly"), QStringLiteral("Charge slip set (read only)"),
                       [&manager, setSample](QWidget*, const auto& report) {
                           auto dialog = manager.GetChargeSlipSetDlg();
                           dialog->ReadOnly(true);
                           std::string data = *setSample;
                           dialog->ShowDialog(data);
                           report(QStringLiteral("Read-only charge slip set: Cancelled = %1")
                                      .arg(dialog->Cancelled() ? u"True" : u"False"));
                       },
                       [setSample]() -> QWidget* {
                           static ChargeSet set;
                           set.clear();
                           set.parse(*setSample);
                           return new frmChargeSetItems(set, false, 2);
                       },
                       nullptr});

    DemoEntry altFees {
        QStringLiteral("AltFees"), QStringLiteral("Alternate fees (99213)"),
        [&manager, feeSample](QWidget*, const auto& report) {
            auto dialog = manager.GetEditAltFeeDlg();
            dialog->ShowDialog("DEMO", *feeSample, 1, "99213", "Office visit, established, low complexity", "12500");
            report(QStringLiteral("EditAltFeeDialog: Cancelled = %1, GetData = \"%2\"")
                       .arg(dialog->Cancelled() ? u"True" : u"False", DemoLauncher::showSample(dialog->GetData())));
        },
        [&manager, feeSample]() -> QWidget* {
            manager.RefreshSharedState();
            auto* window = new frmEditAltFees;
            window->ShowCode(*feeSample, true, "99213", "Office visit, established, low complexity", "12500");
            return window;
        },
        feeSample};
    entries.push_back(std::move(altFees));

    return entries;
}

} // namespace corvane::demo
