#include "DemoEntries.h"

#include "CommonRoutines.h"
#include "CorvaneDialogsMgr.h"
#include "DocumentRequests.h"
#include "FaxQueueRequests.h"
#include "LookupWindow.h"
#include "ReferenceHost.h"
#include "WindowRunner.h"
#include "WireCodec.h"
#include "altfees/EditAltFeeDialog.h"
#include "altfees/frmEditAltFees.h"
#include "chargeslips/ChargeSet.h"
#include "chargeslips/ChargeSlipSetDialog.h"
#include "chargeslips/frmChargeSetGroups.h"
#include "collections/CollectionDialog.h"
#include "collections/frmCollections.h"
#include "fax/FaxEmailDialog.h"
#include "fax/frmFaxRelated.h"
#include "fax/frmFaxShared.h"
#include "security/SecurityDialog.h"
#include "security/frmSecurity.h"
#include "settings/CustomFormSelection.h"
#include "settings/SystemSettingsDialog.h"
#include "settings/frmLoadCustom.h"
#include "settings/frmSysSettings.h"
#include "stw/STWDialog.h"
#include "stw/frmSTW.h"
#include "viewer/ViewerDialog.h"
#include "viewer/frmViewer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QWebEngineView>

#include <array>
#include <filesystem>
#include <fstream>

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
                           auto* window = new frmChargeSetGroups(set, true);
                           window->setObjectName(QStringLiteral("frmChargeSetGroups-ReadOnly"));
                           return window;
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

    entries.push_back(
        {QStringLiteral("AltFeesView"), QStringLiteral("Alternate fees (99213, view only)"),
         [&manager, feeSample](QWidget*, const auto& report) {
             auto dialog = manager.GetEditAltFeeDlg();
             dialog->ShowDialog("DEMO", *feeSample, 0, "99213", "Office visit, established, low complexity", "12500");
             report(QStringLiteral("EditAltFeeDialog (view): Cancelled = %1, GetData = \"%2\"")
                        .arg(dialog->Cancelled() ? u"True" : u"False", DemoLauncher::showSample(dialog->GetData())));
         },
         [&manager, feeSample]() -> QWidget* {
             manager.RefreshSharedState();
             auto* window = new frmEditAltFees;
             window->ShowCode(*feeSample, false, "99213", "Office visit, established, low complexity", "12500");
             window->setObjectName(QStringLiteral("frmEditAltFees-View"));
             return window;
         },
         nullptr});

    // The security window, and a picture of each of its pages.
    const auto securityWindow = [&manager](const std::string& kind, const std::string& code, const std::string& word,
                                           const QString& shotName) -> QWidget* {
        manager.RefreshSharedState();
        auto* window = new frmSecurity;
        window->ShowSecurityList(false);
        if (!window->selectPage(kind, code, word))
            window->ShowSecurity(kind, code, word);
        window->setObjectName(shotName);
        return window;
    };
    entries.push_back(
        {QStringLiteral("Security"), QStringLiteral("Security settings"),
         [&manager](QWidget*, const auto& report) {
             const bool result = manager.GetSecurityDlg()->ShowDialog();
             report(QStringLiteral("SecurityDialog.ShowDialog returned %1").arg(result ? u"True" : u"False"));
         },
         [securityWindow] { return securityWindow("O", "MJONES", "mod", QStringLiteral("frmSecurity")); }, nullptr});
    const std::pair<const char*, std::array<const char*, 3>> securityShots[] = {
        {"frmSecurity-EntityAccess", {"O", "MJONES", "entity"}},
        {"frmSecurity-ModifyTransaction", {"O", "MJONES", "modify_trans"}},
        {"frmSecurity-TransactionGroups", {"S", "", "mod_trans_group_setup"}},
        {"frmSecurity-SecurityPrograms", {"S", "", "mod_security_programs"}},
        {"frmSecurity-Copy", {"S", "", "copy_security_settings"}},
        {"frmSecurity-Distribute", {"S", "", "distribute_security_settings"}},
    };
    for (const auto& [name, page] : securityShots) {
        const QString shotName = QString::fromLatin1(name);
        const std::array<std::string, 3> where {page[0], page[1], page[2]};
        entries.push_back(
            {shotName, shotName, nullptr,
             [securityWindow, where, shotName] { return securityWindow(where[0], where[1], where[2], shotName); },
             nullptr});
    }

    // The queue moves while it is open: every two seconds the reference server's fax clock goes on twenty.
    const auto openQueue = [&manager, &host](QWidget*, const auto& report) {
        QTimer clock;
        QObject::connect(&clock, &QTimer::timeout,
                         [&host] { reference::advanceFaxClock(host.server->database(), 20); });
        clock.start(2000);
        manager.GetFaxEmailDlg()->ShowFaxStatusDlg();
        report(QStringLiteral("ShowFaxStatusDlg returned"));
    };
    const auto queueShot = [&manager](int tab, const char* search, const char* name) {
        return [&manager, tab, search, name]() -> QWidget* {
            manager.RefreshSharedState();
            auto* window = new frmFaxShared;
            window->ShowQueue(false);
            window->setReloadInterval(0);
            if (search) {
                auto* box = window->findChild<QLineEdit*>(QStringLiteral("txtSearch"));
                box->setText(QString::fromLatin1(search));
                QMetaObject::invokeMethod(window->findChild<QPushButton*>(QStringLiteral("cmdLookup")), "click");
            }
            window->findChild<QTabWidget*>(QStringLiteral("ssFaxTab"))->setCurrentIndex(tab);
            window->setObjectName(QString::fromLatin1(name));
            return window;
        };
    };
    entries.push_back({QStringLiteral("FaxQueue"), QStringLiteral("Fax/Email queue"), openQueue,
                       queueShot(0, nullptr, "frmFaxShared"), nullptr});
    entries.push_back({QStringLiteral("FaxQueueFailed"), QStringLiteral("Fax/Email queue (failed jobs)"), openQueue,
                       queueShot(2, nullptr, "frmFaxShared_Failed"), nullptr});
    entries.push_back({QStringLiteral("FaxQueueSearch"), QStringLiteral("Fax/Email queue (sent, searched)"), openQueue,
                       queueShot(1, "Reed", "frmFaxShared_SentSearch"), nullptr});
    entries.push_back({QStringLiteral("FaxQueueStatistics"), QStringLiteral("Fax/Email queue (statistics)"), openQueue,
                       queueShot(3, nullptr, "frmFaxShared_Statistics"), nullptr});

    const auto faxJob = std::make_shared<std::string>("10452");
    entries.push_back(
        {QStringLiteral("FaxOptions"), QStringLiteral("Fax/Email options (send a document)"),
         [&manager, faxJob](QWidget*, const auto& report) {
             manager.GetFaxEmailDlg()->ShowFaxEmailDlg(*faxJob);
             report(QStringLiteral("ShowFaxEmailDlg(\"%1\") returned").arg(DemoLauncher::showSample(*faxJob)));
         },
         [&manager]() -> QWidget* {
             manager.RefreshSharedState();
             auto* window = new frmFaxRelated;
             window->InitFax("10001", "DOC10001");
             window->findChild<QLineEdit*>(QStringLiteral("txtField_3"))->setText(QStringLiteral("Dr. Samuel Reed"));
             window->findChild<QLineEdit*>(QStringLiteral("mskField_4"))->setText(QStringLiteral("(555) 310-4410"));
             window->findChild<QLineEdit*>(QStringLiteral("txtField_5"))
                 ->setText(QStringLiteral("Lakeside Orthopedics"));
             return window;
         },
         faxJob});
    entries.push_back(
        {QStringLiteral("FaxResend"), QStringLiteral("Fax/Email resend"),
         [&manager](QWidget* launcher, const auto& report) {
             manager.RefreshSharedState();
             frmFaxRelated window(launcher);
             window.InitFaxResend("12089|(555) 310-4410|12090|", {"Dr. Samuel Reed", "Dr. Ana Lucia Costa"});
             window.showWindow(true);
             report(QStringLiteral("FaxResend = \"%1\"").arg(WireCodec::toQString(window.FaxResend())));
         },
         [&manager]() -> QWidget* {
             manager.RefreshSharedState();
             auto* window = new frmFaxRelated;
             window->InitFaxResend("12089|(555) 310-4410|12090|", {"Dr. Samuel Reed", "Dr. Ana Lucia Costa"});
             window->setObjectName(QStringLiteral("frmFaxRelated_Resend"));
             return window;
         },
         nullptr});

    // The system settings window, and a picture of each kind of page and of the search in use.
    const auto settingsWindow
        = [&manager](const std::string& nodeKey, const QString& find, const QString& shotName) -> QWidget* {
        manager.RefreshSharedState();
        WindowRunner::setMode(WindowRunner::Mode::NonModal);
        auto* window = new frmSysSettings;
        window->ShowSettings(false);
        QCoreApplication::processEvents();
        window->selectNode(nodeKey);
        if (!find.isEmpty())
            window->findChild<QLineEdit*>(QStringLiteral("txtFind"))->setText(find);
        WindowRunner::setMode(WindowRunner::Mode::Modal);
        window->setObjectName(shotName);
        return window;
    };
    entries.push_back({QStringLiteral("SystemSettings"), QStringLiteral("System settings"),
                       [&manager](QWidget*, const auto& report) {
                           const bool result = manager.GetSystemSettingsDlg()->ShowDialog();
                           report(QStringLiteral("SystemSettingsDialog returned %1").arg(result ? u"True" : u"False"));
                       },
                       [settingsWindow] {
                           return settingsWindow("S\tCharge Slips\tcharge_slips\tCHGSLIP", {},
                                                 QStringLiteral("frmSysSettings"));
                       },
                       nullptr});
    const std::pair<const char*, std::array<const char*, 2>> settingsShots[] = {
        {"frmSysSettings-Lookup", {"S\tDefault Payment Code\tpos_dflt_pmnt_code\tPOSPAYDEF", ""}},
        {"frmSysSettings-Number", {"S\tSet AI default days\tset_ai_days\tAIDAYS", ""}},
        {"frmSysSettings-Date", {"S\tICD-10 Effective Date\ticd10_effective_date\tDG10DATE", ""}},
        {"frmSysSettings-TabsOrder", {"S\tPatient Reminder Tabs Order\treminder_tabs_order\tREMINDERORDER", ""}},
        {"frmSysSettings-Protected", {"S\tAmount Calculation Method\tpos_chr_amnt_calc_method\tPOSTCHGAMTCALC", ""}},
        {"frmSysSettings-ServerPage", {"S\tClaim Scrubber Rules\tbrowser_item\tscrubber", ""}},
        {"frmSysSettings-Search", {"S\tDate Range\tset_autopost_daterange\tAUTOPOSTDATERANGE", "autopost"}},
        {"frmSysSettings-CodeTables", {"S\tCode Tables\tcode_tables", ""}},
        {"frmSysSettings-OperatorPreferences", {"U\tMJONES\tusername", ""}},
        {"frmSysSettings-UpdateTrans", {"S\tTransaction Update\tupdate_trans", ""}},
        {"frmSysSettings-SchStatus", {"S\tScheduled Reports Status\tsch_reports_status", ""}},
        {"frmSysSettings-SchSettings", {"S\tDefault AR Class\tsch_settings", ""}},
        {"frmSysSettings-SchTabs", {"S\tAppointment Defaults\tsch_tabs", ""}},
        {"frmSysSettings-Eligibility", {"S\tEligibility Settings\telig_settings", ""}},
        {"frmSysSettings-CustomForms", {"S\tCustom Forms Setup\tset_custom_forms", ""}},
        {"frmSysSettings-Forms", {"S\tForms\tcust_forms", ""}},
        {"frmSysSettings-ConfigHeader", {"S\tConfigure Header\tconfig_header", ""}},
        {"frmSysSettings-DemoDefaults", {"S\tDemographics Defaults\tdemo_defaults", ""}},
        {"frmSysSettings-PatientDocuments", {"S\tPatient Documents\tworkflow_include_image", ""}},
    };
    for (const auto& [name, shot] : settingsShots) {
        const QString shotName = QString::fromLatin1(name);
        const std::string nodeKey = shot[0];
        const QString find = QString::fromLatin1(shot[1]);
        entries.push_back(
            {shotName, shotName, nullptr,
             [settingsWindow, nodeKey, find, shotName] { return settingsWindow(nodeKey, find, shotName); }, nullptr});
    }

    // "Load Custom Form from file" with a sample layout file read, as after choosing it.
    entries.push_back({QStringLiteral("frmLoadCustom"), QStringLiteral("frmLoadCustom"), nullptr,
                       [&manager]() -> QWidget* {
                           manager.RefreshSharedState();
                           static CustomFormSelection forms;
                           const std::filesystem::path folder
                               = std::filesystem::temp_directory_path() / "corvane-demo-form";
                           std::filesystem::create_directories(folder);
                           std::ofstream(folder / "consent.ldt", std::ios::binary)
                               << "<HEADER>\r\nForm_Name:\tSurgical Consent\r\nForm_Code:\tCONSENT\r\n"
                                  "Form_Type:\tPRINT\r\nBackground_Image:\tconsent.png\r\n</HEADER>\r\n";
                           std::ofstream(folder / "consent.png", std::ios::binary) << std::string(2600, 'x');
                           auto* window = new frmLoadCustom(forms, [] { return false; });
                           window->CustomFormGetFileName(QString::fromStdString((folder / "consent.ldt").string()));
                           return window;
                       },
                       nullptr});

    // The viewer on the reference server's documents: every format, server printing, fax mode and the preview.
    struct ViewerSample {
        const char* name;
        const char* caption;
        const char* number;
        const char* mode;
        const char* jobId;
    };
    const ViewerSample viewerSamples[] = {
        {"ViewerStatements", "Viewer: statement run (RTF)", reference::statementRunDocument, "",
         "1001\t1001:1002:1003:"},
        {"ViewerReport", "Viewer: landscape report (RTF)", reference::landscapeReportDocument, "", ""},
        {"ViewerLetter", "Viewer: letter (RTF)", reference::letterDocument, "", ""},
        {"ViewerHtml", "Viewer: HTML report", reference::htmlReportDocument, "", ""},
        {"ViewerText", "Viewer: text report", reference::textReportDocument, "", ""},
        {"ViewerPdf", "Viewer: PDF", reference::pdfDocument, "", ""},
        {"ViewerServerPrint", "Viewer: server printing", reference::landscapeReportDocument, "CORVANEPRINT", "1002"},
        {"ViewerFax", "Viewer: fax mode", reference::letterDocument, "FAX", "10001"},
    };
    const auto formatOf = [](const std::string& number) {
        for (const auto& document : reference::serverDocuments()) {
            if (document.number == number)
                return document.format;
        }
        return std::string();
    };
    for (const ViewerSample& sample : viewerSamples) {
        const std::string number = sample.number;
        const std::string mode = sample.mode;
        const std::string jobId = sample.jobId;
        entries.push_back(
            {QString::fromLatin1(sample.name), QString::fromLatin1(sample.caption),
             [&manager, number, mode, jobId, formatOf](QWidget*, const auto& report) {
                 auto viewer = manager.GetViewerDlg();
                 viewer->DataString = "|GET|DOC|" + number + "|";
                 viewer->RequestDataFromServer = true;
                 viewer->DataFormat = formatOf(number);
                 viewer->Mode = mode;
                 viewer->JobID = jobId;
                 viewer->UserPrefsType = "DEMO" + number;
                 const bool result = viewer->ShowDialog();
                 report(QStringLiteral("ViewerDialog.ShowDialog returned %1").arg(result ? u"True" : u"False"));
             },
             nullptr, nullptr});
    }
    entries.push_back(
        {QStringLiteral("ViewerPreview"), QStringLiteral("Viewer: print preview"),
         [&manager, formatOf](QWidget*, const auto& report) {
             auto viewer = manager.GetViewerDlg();
             viewer->DataString = "|GET|DOC|" + std::string(reference::landscapeReportDocument) + "|";
             viewer->RequestDataFromServer = true;
             viewer->DataFormat = formatOf(reference::landscapeReportDocument);
             const bool result = viewer->ShowPrintPreview();
             report(QStringLiteral("ViewerDialog.ShowPrintPreview returned %1").arg(result ? u"True" : u"False"));
         },
         nullptr, nullptr});

    // Pictures: the window as the operator sees it, shown without waiting for it to close.
    const auto viewerWindow
        = [&manager, formatOf](const std::string& number, const QString& shotName, const std::string& mode = {}) {
              manager.RefreshSharedState();
              WindowRunner::setMode(WindowRunner::Mode::NonModal);
              auto* window = new frmViewer;
              frmViewer::Inputs inputs;
              inputs.document = "|GET|DOC|" + number + "|";
              inputs.request = true;
              inputs.format = formatOf(number);
              inputs.mode = mode;
              inputs.jobId = mode.empty() ? std::string() : number;
              window->ShowCode(inputs);
              WindowRunner::setMode(WindowRunner::Mode::Modal);
              window->setObjectName(shotName);
              if (QWebEngineView* page = window->browser(); page && page->isVisible()) {
                  // The web view paints once its page has loaded.
                  QEventLoop loaded;
                  QObject::connect(page, &QWebEngineView::loadFinished, &loaded, &QEventLoop::quit);
                  QTimer::singleShot(5000, &loaded, &QEventLoop::quit);
                  loaded.exec();
                  QTimer::singleShot(300, &loaded, &QEventLoop::quit);
                  loaded.exec();
              }
              return window;
          };
    const std::pair<const char*, const char*> viewerShots[] = {
        {"frmViewer-Statement", reference::statementRunDocument},
        {"frmViewer-Landscape", reference::landscapeReportDocument},
        {"frmViewer-Html", reference::htmlReportDocument},
        {"frmViewer-Pdf", reference::pdfDocument},
    };
    for (const auto& [name, number] : viewerShots) {
        const QString shotName = QString::fromLatin1(name);
        const std::string documentNumber = number;
        entries.push_back({shotName, shotName, nullptr,
                           [viewerWindow, documentNumber, shotName] { return viewerWindow(documentNumber, shotName); },
                           nullptr});
    }
    entries.push_back({QStringLiteral("frmViewer-Find"), QStringLiteral("frmViewer-Find"), nullptr,
                       [viewerWindow]() -> QWidget* {
                           QWidget* window = viewerWindow(reference::statementRunDocument,
                                                          QStringLiteral("frmViewer-Find"), "CORVANEPRINT");
                           if (auto* find = window->findChild<QLineEdit*>(QStringLiteral("txtFindString")))
                               find->setText(QStringLiteral("Office visit"));
                           if (auto* button = window->findChild<QPushButton*>(QStringLiteral("cmdFind")))
                               button->click();
                           return window;
                       },
                       nullptr});
    entries.push_back({QStringLiteral("frmViewer-Preview"), QStringLiteral("frmViewer-Preview"), nullptr,
                       [viewerWindow]() -> QWidget* {
                           std::unique_ptr<QWidget> window(
                               viewerWindow(reference::landscapeReportDocument, QStringLiteral("frmViewer-Preview")));
                           auto* viewer = static_cast<frmViewer*>(window.get());
                           // The preview is modal: take its picture once it is up, then close it.
                           auto* picture = new QLabel;
                           picture->setObjectName(QStringLiteral("frmViewer-Preview"));
                           QTimer::singleShot(300, picture, [picture] {
                               if (QWidget* preview = QApplication::activeModalWidget()) {
                                   picture->setPixmap(preview->grab());
                                   preview->close();
                               }
                           });
                           viewer->ShowPrintPreview();
                           return picture;
                       },
                       nullptr});

    return entries;
}

} // namespace corvane::demo
