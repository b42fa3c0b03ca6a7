#include "ViewerOptions.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ViewerFormat, TableOfFormatsInAnyCase)
{
    const FormatChoice rtf = ViewerOptions::decodeFormat("rtf:txt");
    EXPECT_EQ(rtf.kind, DocumentKind::Rtf);
    EXPECT_EQ(rtf.loadFormat, 5);
    EXPECT_EQ(rtf.view, ViewerView::Pages);
    EXPECT_TRUE(rtf.message.empty());

    EXPECT_EQ(ViewerOptions::decodeFormat("HTML:TXT").loadFormat, 4);
    EXPECT_EQ(ViewerOptions::decodeFormat("TXT:TXT").loadFormat, 1);

    const FormatChoice page = ViewerOptions::decodeFormat("HTML:BROWSER");
    EXPECT_EQ(page.view, ViewerView::Browser);
    EXPECT_FALSE(page.fromFile);
    EXPECT_TRUE(ViewerOptions::decodeFormat("TXT:BROWSER").fromFile);
    EXPECT_TRUE(ViewerOptions::decodeFormat("html:browser:file").fromFile);

    // RTF for the browser is shown rendered, in the page view.
    const FormatChoice rtfPage = ViewerOptions::decodeFormat("RTF:BROWSER");
    EXPECT_EQ(rtfPage.view, ViewerView::Pages);
    EXPECT_EQ(rtfPage.kind, DocumentKind::Rtf);
}

TEST(ViewerFormat, XmlAndUnknownFormatsSayWhyAndLetTheContentDecide)
{
    const FormatChoice xml = ViewerOptions::decodeFormat("XML:BROWSER");
    EXPECT_EQ(xml.message, "XML:BROWSER Not implemented ");
    EXPECT_EQ(xml.kind, DocumentKind::PlainText);

    const FormatChoice unknown = ViewerOptions::decodeFormat("DOCX");
    EXPECT_EQ(unknown.message, "Document format \"DOCX\" was not recognized.");
    EXPECT_TRUE(unknown.sniff);

    const FormatChoice empty = ViewerOptions::decodeFormat("");
    EXPECT_TRUE(empty.sniff);
    EXPECT_TRUE(empty.message.empty());
}

TEST(ViewerFormat, ContentCheck)
{
    EXPECT_EQ(ViewerOptions::sniff("  {\\rtf1\\ansi hello}"), DocumentKind::Rtf);
    EXPECT_EQ(ViewerOptions::sniff("%PDF-1.4\n"), DocumentKind::Pdf);
    EXPECT_EQ(ViewerOptions::sniff("\x89PNG\r\n\x1a\n"), DocumentKind::Image);
    EXPECT_EQ(ViewerOptions::sniff("\xFF\xD8\xFF\xE0"), DocumentKind::Image);
    EXPECT_EQ(ViewerOptions::sniff("GIF89a"), DocumentKind::Image);
    EXPECT_EQ(ViewerOptions::sniff(std::string_view("II*\0", 4)), DocumentKind::Image);
    EXPECT_EQ(ViewerOptions::sniff("\xEF\xBB\xBF\r\n<!doctype html><p>x"), DocumentKind::Html);
    EXPECT_EQ(ViewerOptions::sniff("<Html><body>"), DocumentKind::Html);
    EXPECT_EQ(ViewerOptions::sniff("ERROR: no such document"), DocumentKind::PlainText);
    EXPECT_EQ(ViewerOptions::sniff(""), DocumentKind::PlainText);
}

TEST(ViewerSettings, DocumentSettings)
{
    const DocumentSettings empty = ViewerOptions::splitDocumentSettings("");
    EXPECT_EQ(empty.orientation, 0);
    EXPECT_TRUE(empty.askForPrinter);

    const DocumentSettings landscape = ViewerOptions::splitDocumentSettings("Orientation=2");
    EXPECT_EQ(landscape.orientation, 2);
    EXPECT_FALSE(landscape.askForPrinter);

    const DocumentSettings both = ViewerOptions::splitDocumentSettings("Printer=?||||Orientation=1||Colour=Y");
    EXPECT_EQ(both.orientation, 1);
    EXPECT_TRUE(both.askForPrinter);

    const DocumentSettings junk = ViewerOptions::splitDocumentSettings("Orientation=7||x");
    EXPECT_EQ(junk.orientation, 0);
    EXPECT_FALSE(junk.askForPrinter);
}

TEST(ViewerSettings, JobIdAndNavigation)
{
    const JobList alone = ViewerOptions::splitJobId("7");
    EXPECT_EQ(alone.current, "7");
    EXPECT_TRUE(alone.list.empty());
    EXPECT_FALSE(alone.nextEnabled());
    EXPECT_FALSE(alone.previousEnabled());

    const JobList last = ViewerOptions::splitJobId("7\t5:6:7:");
    EXPECT_EQ(last.list, (std::vector<std::string> {"5", "6", "7"}));
    EXPECT_FALSE(last.nextEnabled());
    EXPECT_TRUE(last.previousEnabled());

    const JobList gaps = ViewerOptions::splitJobId("5\t5:6:: 8 :");
    EXPECT_EQ(gaps.list, (std::vector<std::string> {"5", "6", "8"}));
    EXPECT_FALSE(gaps.previousEnabled());
    EXPECT_TRUE(gaps.nextEnabled());

    // A current number missing from the list stands before its first element.
    const JobList absent = ViewerOptions::splitJobId("9\t5:6");
    EXPECT_EQ(absent.position(), -1);
    EXPECT_FALSE(absent.previousEnabled());
    EXPECT_TRUE(absent.nextEnabled());
}

TEST(ViewerSettings, ModeFlags)
{
    EXPECT_TRUE(ViewerOptions::splitMode("fax").fax);
    const ModeFlags both = ViewerOptions::splitMode("Fax\tCorvanePrint");
    EXPECT_TRUE(both.fax);
    EXPECT_TRUE(both.serverPrint);
    EXPECT_FALSE(ViewerOptions::splitMode("FAXES").fax);
    EXPECT_FALSE(ViewerOptions::splitMode("").serverPrint);
}

TEST(ViewerSettings, NeighbourRequestReplacesTheNumberNotTheClosingBar)
{
    EXPECT_EQ(ViewerOptions::neighbourRequest("|GET|TRAN|DOC|7|", "8"), "|GET|TRAN|DOC|8|");
    EXPECT_EQ(ViewerOptions::neighbourRequest("|GET|TRAN|DOC|7", "8"), "|GET|TRAN|DOC|8");
    EXPECT_EQ(ViewerOptions::neighbourRequest("|GET|DOC|", "12"), "|GET|12|");
}

TEST(ViewerPreferences, ReadAnEntry)
{
    const std::string prefs = "STMT:5:100:200\tstmt:4:1440:2880:9000:7000\tRPT:2:0:0:MAX:MAX";
    // The short entry for the same key is passed over.
    const auto statement = ViewerOptions::findPlacement(prefs, "Stmt");
    ASSERT_TRUE(statement);
    EXPECT_EQ(statement->zoomIndex, 4);
    EXPECT_EQ(statement->left, 1440);
    EXPECT_EQ(statement->top, 2880);
    EXPECT_EQ(statement->width, 9000);
    EXPECT_EQ(statement->height, 7000);
    EXPECT_FALSE(statement->maximised);

    const auto report = ViewerOptions::findPlacement(prefs, "RPT");
    ASSERT_TRUE(report);
    EXPECT_TRUE(report->maximised);
    EXPECT_EQ(report->zoomIndex, 2);

    EXPECT_FALSE(ViewerOptions::findPlacement(prefs, "LETTER"));
    EXPECT_FALSE(ViewerOptions::findPlacement(prefs, ""));
    EXPECT_EQ(ViewerOptions::findPlacement("X:99:0:0:10:10", "X")->zoomIndex, 3);
}

TEST(ViewerPreferences, WriteReplacesAppendsOrStandsAlone)
{
    WindowPlacement placement {.zoomIndex = 6, .left = 15, .top = 30, .width = 9000, .height = 6000};
    const std::string entry = ViewerOptions::placementEntry("STMT", placement);
    EXPECT_EQ(entry, "STMT:6:15:30:9000:6000");
    placement.maximised = true;
    EXPECT_EQ(ViewerOptions::placementEntry("STMT", placement), "STMT:6:15:30:MAX:MAX");

    EXPECT_EQ(ViewerOptions::storePlacement("", "STMT", entry), entry);
    EXPECT_EQ(ViewerOptions::storePlacement("RPT:1:0:0:1:1\tstmt:2:0:0:5:5\tSTMT:3:0:0:5:5", "STMT", entry),
              "RPT:1:0:0:1:1\t" + entry + "\tSTMT:3:0:0:5:5");
    EXPECT_EQ(ViewerOptions::storePlacement("RPT:1:0:0:1:1", "STMT", entry), "RPT:1:0:0:1:1\t" + entry);
    // "STMTX:..." is another key's entry.
    EXPECT_EQ(ViewerOptions::storePlacement("STMTX:1:0:0:1:1", "STMT", entry), "STMTX:1:0:0:1:1\t" + entry);

    EXPECT_FALSE(ViewerOptions::usableKey(""));
    EXPECT_FALSE(ViewerOptions::usableKey("A:B"));
    EXPECT_FALSE(ViewerOptions::usableKey("A\tB"));
    EXPECT_TRUE(ViewerOptions::usableKey("STMT"));
}

TEST(ViewerPreferences, KeepOnDesktop)
{
    const TwipsRect desktop {0, 0, 28800, 16200};
    WindowPlacement far {.left = 40000, .top = 30000, .width = 9000, .height = 6000};
    ViewerOptions::keepOnDesktop(far, desktop);
    EXPECT_EQ(far.left, 28800 - 2000);
    EXPECT_EQ(far.top, 16200 - 2000);

    WindowPlacement above {.left = -12000, .top = -9000, .width = 9000, .height = 6000};
    ViewerOptions::keepOnDesktop(above, desktop);
    EXPECT_EQ(above.left, 0);
    EXPECT_EQ(above.top, 0);

    // A second monitor to the left is part of the desktop.
    WindowPlacement second {.left = -20000, .top = 100, .width = 9000, .height = 6000};
    ViewerOptions::keepOnDesktop(second, TwipsRect {-28800, 0, 57600, 16200});
    EXPECT_EQ(second.left, -20000);
}

TEST(ViewerPrinters, EntryTextAndRememberedEntry)
{
    const std::string front = ViewerOptions::printerEntry("Front Desk", "Laser; 2nd floor", "LPT1");
    EXPECT_EQ(front, "Front Desk       Laser; 2nd floor      PORT: LPT1");
    const std::string piped = ViewerOptions::printerEntry("Billing", "Tray 2|Letter", "IP_10.0.0.7");
    const std::vector<std::string> entries {front, piped};
    const std::vector<std::string> names {"Front Desk", "Billing"};

    EXPECT_EQ(ViewerOptions::rememberedEntry(entries, names, front), 0);
    EXPECT_EQ(ViewerOptions::rememberedEntry(entries, names, "Billing       Tray 2;Letter      PORT: IP_10.0.0.7"), 1);
    // The description or port changed on the server: the name still finds it.
    EXPECT_EQ(ViewerOptions::rememberedEntry(entries, names, "Billing       Old tray      PORT: LPT2"), 1);
    EXPECT_EQ(ViewerOptions::rememberedEntry(entries, names, "Exam Room 2       x      PORT: y"), -1);
    EXPECT_EQ(ViewerOptions::rememberedEntry(entries, names, ""), -1);

    EXPECT_EQ(ViewerOptions::serverPrintRequest("10452", "Front Desk"), "|GET|TRAN|PRINT|10452|Front Desk");
}

} // namespace
} // namespace corvane
