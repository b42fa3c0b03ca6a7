#include "DocumentRequests.h"
#include "PracticeServer.h"
#include "ReferenceHost.h"
#include "TempDir.h"

#include <QBuffer>
#include <QPdfDocument>

#include <gtest/gtest.h>

#include <algorithm>

namespace corvane::reference {
namespace {

class DocumentServerTest : public ::testing::Test {
protected:
    std::string ask(const std::string& request, const std::string& operatorCode = "JSMITH")
    {
        return server.answerString(request, operatorCode);
    }
    std::string printLog()
    {
        std::string log;
        server.database().query("SELECT document || '/' || printer || '/' || operator FROM print_log ORDER BY id", {},
                                [&](const std::vector<std::string>& row) { log += row[0] + ";"; });
        return log;
    }

    test::TempDir dir;
    PracticeServer server {dir.file("practice.db")};
};

TEST_F(DocumentServerTest, EveryDocumentComesByNumberInItsOwnFormat)
{
    const std::string run = ask("|GET|DOC|1001|");
    EXPECT_EQ(run.rfind("{\\rtf1", 0), 0u);
    EXPECT_EQ(run, ask("|GET|DOC|1001|")) << "the same number always gives the same bytes";
    EXPECT_GT(run.size(), 300u * 1000u) << "a statement run of a few hundred pages";
    EXPECT_NE(run.find("\\pngblip"), std::string::npos) << "with its logo";

    const std::string report = ask("|GET|DOC|1002|");
    EXPECT_NE(report.find("\\landscape"), std::string::npos);
    EXPECT_NE(report.find("\\paperw15840\\paperh12240"), std::string::npos);
    EXPECT_NE(report.find("\\trhdr"), std::string::npos) << "the table repeats its header on every page";
    EXPECT_NE(report.find("NUMPAGES"), std::string::npos);

    EXPECT_EQ(ask("|GET|DOC|1003|").rfind("{\\rtf1", 0), 0u);
    EXPECT_NE(ask("|GET|DOC|1004|").find("<table>"), std::string::npos);
    const std::string text = ask("|GET|DOC|1005|");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 2) << "three pages, a form feed before each new one";

    EXPECT_EQ(ask("|GET|DOC|FORMAT|1001|"), "RTF");
    EXPECT_EQ(ask("|GET|DOC|FORMAT|1004|"), "HTML:BROWSER");
    EXPECT_EQ(ask("|GET|DOC|FORMAT|1005|"), "TXT:TXT");
    EXPECT_EQ(ask("|GET|DOC|FORMAT|1006|"), "PDF");
    EXPECT_EQ(ask("|GET|DOC|9999|").rfind("ERROR", 0), 0u) << "an unknown number is the server's error text";
    EXPECT_EQ(ask("|GET|DOC|FORMAT|9999|").rfind("ERROR", 0), 0u);
}

TEST_F(DocumentServerTest, TheHandWrittenPdfOpensWithTwoLetterPages)
{
    QByteArray bytes = QByteArray::fromStdString(ask("|GET|DOC|1006|"));
    ASSERT_TRUE(bytes.startsWith("%PDF-"));
    // Every cross-reference offset must point at its object, or readers fall back to repairing the file.
    const qsizetype xref = bytes.lastIndexOf("\nxref\n") + 1;
    const QList<QByteArray> entries = bytes.mid(xref).split('\n');
    for (int object = 1; object <= 7; ++object) {
        const qsizetype offset = entries.at(2 + object).left(10).toLongLong();
        EXPECT_TRUE(bytes.mid(offset).startsWith(QByteArray::number(object) + " 0 obj")) << "object " << object;
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QPdfDocument pdf;
    pdf.load(&buffer);
    ASSERT_EQ(pdf.status(), QPdfDocument::Status::Ready);
    EXPECT_EQ(pdf.pageCount(), 2);
    EXPECT_EQ(pdf.pagePointSize(0), QSizeF(612, 792));
    EXPECT_TRUE(pdf.getAllText(0).text().contains(QStringLiteral("Explanation of Benefits")));
}

TEST_F(DocumentServerTest, TheListIsAJobIdOverEveryDocument)
{
    std::string expected = "1001\t";
    for (const auto& document : serverDocuments())
        expected += document.number + ":";
    EXPECT_EQ(ask("|GET|DOC|LIST|"), expected);
    EXPECT_EQ(serverDocuments().size(), 6u);
}

TEST_F(DocumentServerTest, PrintersAreListedAndTheChoiceIsRememberedPerOperator)
{
    const auto lines = server.answerLines("|GET|PRT|LIST|", "JSMITH");
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[1], "Front Desk LaserJet\tHP LaserJet M404, front desk\tIP_10.0.0.21\tY");
    EXPECT_EQ(lines[3], "Exam Room 2\tZebra label printer\tUSB001\tN");

    EXPECT_EQ(ask("|GET|PRT|TRAN|"), "") << "nothing remembered yet";
    const std::string entry = "Billing Office       Statements, tray 2, duplex      PORT: IP_10.0.0.22";
    EXPECT_EQ(ask("|SETP|PRT|TRAN|" + entry), "1");
    EXPECT_EQ(ask("|GET|PRT|TRAN|"), entry);
    EXPECT_EQ(ask("|GET|PRT|TRAN|", "MJONES"), "") << "each operator has a choice of his own";
    EXPECT_EQ(ask("|SETP|PRT|TRAN|A;B       d      PORT: p", "MJONES"), "1");
    EXPECT_EQ(ask("|GET|PRT|TRAN|", "MJONES"), "A;B       d      PORT: p") << "kept as sent, \";\" included";
    EXPECT_EQ(ask("|GET|PRT|TRAN|"), entry);
}

TEST_F(DocumentServerTest, ServerPrintingLogsOnlyKnownDocumentsOnEligiblePrinters)
{
    EXPECT_EQ(ask("|GET|TRAN|PRINT|1001|Billing Office"), "1");
    EXPECT_EQ(ask("|GET|TRAN|PRINT|10001|Front Desk LaserJet", "MJONES"), "1") << "a queued fax document too";
    EXPECT_EQ(ask("|GET|TRAN|PRINT|1002|Exam Room 2").rfind("ERROR", 0), 0u) << "the label printer takes none";
    EXPECT_EQ(ask("|GET|TRAN|PRINT|1002|Nowhere").rfind("ERROR", 0), 0u);
    EXPECT_EQ(ask("|GET|TRAN|PRINT|4242|Billing Office").rfind("ERROR", 0), 0u);
    EXPECT_EQ(ask("|GET|TRAN|PRINT||Billing Office").rfind("ERROR", 0), 0u);
    EXPECT_EQ(printLog(), "1001/Billing Office/JSMITH;10001/Front Desk LaserJet/MJONES;");
    EXPECT_NE(ask("|GET|TRAN|FAXCONFIG|").rfind("ERROR: UNKNOWN", 0), 0u) << "the fax requests on TRAN still answer";
}

class ReferenceUtilsPrinterTest : public ::testing::Test {
protected:
    test::TempDir dir;
    ReferenceHost host {dir.file("practice.db"), "JSMITH", QString::fromStdString(dir.file("corvane.log"))};
};

TEST_F(ReferenceUtilsPrinterTest, PrinterListCarriesDescriptionPortAndEligibility)
{
    std::vector<ServerPrinter> printers;
    host.utils->GetServerPrinterList(printers);
    ASSERT_EQ(printers.size(), 4u);
    EXPECT_EQ(printers[1].name, "Billing Office");
    EXPECT_EQ(printers[1].description, "Statements, tray 2, duplex");
    EXPECT_EQ(printers[1].port, "IP_10.0.0.22");
    EXPECT_TRUE(printers[1].eligible);
    EXPECT_FALSE(printers[2].eligible);

    host.link->failCall(1);
    host.utils->GetServerPrinterList(printers);
    EXPECT_TRUE(printers.empty()) << "a failed request lists nothing";
}

TEST_F(ReferenceUtilsPrinterTest, SaveUserSettingsWritesThePreferencesBack)
{
    EXPECT_FALSE(host.utils->SaveUserSettings()) << "nothing to save before the preferences were read";
    std::shared_ptr<Preferences> preferences;
    host.utils->GetPreferences(preferences);
    ASSERT_TRUE(preferences);
    preferences->setValue("VIEWERPREFS", "STMT:6:1500:1500:12000:9000");
    EXPECT_TRUE(host.utils->SaveUserSettings());
    EXPECT_NE(host.server->answerString("|GET|PREFS||", "JSMITH").find("VIEWERPREFS=STMT:6:1500:1500:12000:9000"),
              std::string::npos);
    std::shared_ptr<Preferences> reread;
    host.utils->GetPreferences(reread);
    EXPECT_EQ(reread->value("VIEWERPREFS"), "STMT:6:1500:1500:12000:9000");

    host.link->failCall(1);
    EXPECT_FALSE(host.utils->SaveUserSettings());
}

} // namespace
} // namespace corvane::reference
