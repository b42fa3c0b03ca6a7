#include "TextPages.h"

#include "PageView.h"
#include "RtfStatementRun.h"

#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTextCursor>

#include <gtest/gtest.h>

namespace corvane {
namespace {

const std::string letterHead = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\paperw12240\\paperh15840\\margl1440\\margr1440"
                               "\\margt1440\\margb1440 ";

/// Sections that each start a page: each is a part of its own.
std::string threeSections(const std::string& sectionText)
{
    std::string rtf = letterHead;
    for (int section = 0; section < 3; ++section)
        rtf += (section > 0 ? "\\sect\\sectd " : "\\sectd ") + sectionText;
    return rtf + "}";
}

QImage painted(const TextPages& pages, int page)
{
    QImage image(pages.pageSize(page).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    pages.paintPage(painter, page);
    return image;
}

// Page fields in the body only know their number once the body is laid out; they are drawn with it, not relaid.
TEST(TextPages, PageFieldsInTheBodyShowThePageTheyLandOnAndTheCount)
{
    std::string rtf = letterHead;
    for (int page = 0; page < 3; ++page) {
        if (page > 0)
            rtf += "\\page ";
        rtf += "Statement\\par Page {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}} of "
               "{\\field{\\*\\fldinst NUMPAGES}{\\fldrslt 1}}\\par ";
    }
    rtf += "}";
    const auto pages = TextPages::fromRtf(rtf);
    ASSERT_EQ(pages->pageCount(), 3);
    for (int page = 0; page < 3; ++page) {
        EXPECT_EQ(pages->fieldValue(page, RtfRunKind::PageNumber), page + 1);
        EXPECT_EQ(pages->fieldValue(page, RtfRunKind::PageCount), 3);
    }
    // The number is drawn: the pages differ only where it stands.
    EXPECT_NE(painted(*pages, 0), painted(*pages, 1));

    pages->setLandscape(true);
    EXPECT_GT(pages->pageSize(0).width(), pages->pageSize(0).height());
    EXPECT_EQ(pages->fieldValue(2, RtfRunKind::PageNumber), 3);
    EXPECT_EQ(pages->fieldValue(2, RtfRunKind::PageCount), 3);
}

TEST(TextPages, SectionsCountTheirOwnPages)
{
    const auto pages = TextPages::fromRtf(RtfStatementRun::generate(12));
    const int count = pages->pageCount();
    ASSERT_GE(count, 12);
    int first = 0; // the first page of the statement being walked through
    for (int page = 0; page < count; ++page) {
        const int number = pages->fieldValue(page, RtfRunKind::PageNumber);
        if (number == 1)
            first = page;
        EXPECT_EQ(number, page - first + 1) << "page " << page;
        const int sectionPages = pages->fieldValue(page, RtfRunKind::SectionPageCount);
        EXPECT_GE(sectionPages, number);
        EXPECT_LE(sectionPages, 6);
    }
}

// A section without a restart goes on from the number the section before it ended on.
TEST(TextPages, PageNumbersGoOnAcrossSectionsUnlessOneRestarts)
{
    const std::string twoPages = "One\\par\\page Two\\par";
    const auto numbers = [](const std::string& rtf) {
        const auto pages = TextPages::fromRtf(rtf);
        std::vector<int> shown;
        for (int page = 0; page < pages->pageCount(); ++page)
            shown.push_back(pages->fieldValue(page, RtfRunKind::PageNumber));
        return shown;
    };
    EXPECT_EQ(numbers(letterHead + "\\sectd " + twoPages + "\\sect\\sectd\\pgnrestart\\pgnstarts5 " + twoPages
                      + "\\sect\\sectd " + twoPages + "}"),
              (std::vector<int> {1, 2, 5, 6, 7, 8}));
    EXPECT_EQ(numbers(letterHead + "\\sectd\\pgnstarts3 " + twoPages + "\\sect\\sectd " + twoPages + "}"),
              (std::vector<int> {3, 4, 5, 6}));
    EXPECT_EQ(numbers(letterHead + "\\sectd " + twoPages + "\\sect\\sectd\\sbknone " + twoPages + "}"),
              (std::vector<int> {1, 2, 3}));
}

// Thousands of one-line sections share documents instead of being a document each.
TEST(TextPages, SmallSectionsShareADocument)
{
    std::string rtf = letterHead;
    for (int section = 0; section < 600; ++section)
        rtf += (section > 0 ? "\\sect\\sectd " : "\\sectd ") + std::string("Notice ") + std::to_string(section)
            + "\\par ";
    const auto pages = TextPages::fromRtf(rtf + "}");
    EXPECT_FALSE(pages->layOutMore(0));
    EXPECT_EQ(pages->pagesReady(), 150) << "one document holds as many sections as it takes to be worth one";
    EXPECT_EQ(pages->pageCount(), 600) << "each still starts its page";
    const QTextCursor last = pages->find(QStringLiteral("Notice 599"), QTextCursor());
    EXPECT_EQ(pages->pageOf(last), 599);
}

TEST(TextPages, FirstPagesAreShownBeforeTheRestIsLaidOut)
{
    const auto pages = TextPages::fromRtf(RtfStatementRun::generate(40));
    EXPECT_EQ(pages->pagesReady(), 0) << "reading lays nothing out";
    EXPECT_FALSE(pages->layOutMore(0));
    const int early = pages->pagesReady();
    EXPECT_GE(early, 1);
    const QImage first = painted(*pages, 0);
    EXPECT_EQ(pages->pagesReady(), early) << "painting the first page lays out nothing more";
    EXPECT_NE(first, painted(*TextPages::fromRtf("{\\rtf1 }"), 0)) << "ink on it";

    while (!pages->layOutMore(5)) { }
    EXPECT_EQ(pages->pagesReady(), pages->pageCount());
    EXPECT_GT(pages->pagesReady(), early);
    EXPECT_EQ(painted(*pages, 0), first) << "the first page does not change once the rest is known";
}

TEST(TextPages, FindRunsThroughEveryPartBothWays)
{
    const auto pages = TextPages::fromRtf(threeSections("Needle in section\\par "));
    std::vector<int> forward;
    for (QTextCursor found = pages->find(QStringLiteral("needle"), QTextCursor()); !found.isNull();
         found = pages->find(QStringLiteral("needle"), found))
        forward.push_back(pages->pageOf(found));
    EXPECT_EQ(forward, (std::vector<int> {0, 1, 2}));

    std::vector<int> backward;
    for (QTextCursor found = pages->find(QStringLiteral("needle"), QTextCursor(), QTextDocument::FindBackward);
         !found.isNull(); found = pages->find(QStringLiteral("needle"), found, QTextDocument::FindBackward))
        backward.push_back(pages->pageOf(found));
    EXPECT_EQ(backward, (std::vector<int> {2, 1, 0}));
    EXPECT_TRUE(pages->find(QStringLiteral("haystack"), QTextCursor()).isNull());
    EXPECT_EQ(pages->plainText().count(QStringLiteral("Needle")), 3);
}

// A header taller than the space its margin leaves pushes the body down instead of being printed over it.
TEST(TextPages, TallHeaderPushesTheBodyDown)
{
    const std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\paperw15840\\paperh12240\\landscape\\margt720"
                            "\\headery360 {\\header\\pard\\f0\\fs24 Practice report\\par Line two\\par Line three\\par "
                            "Line four\\par}\\pard\\f0 Body starts here\\par}";
    const auto pages = TextPages::fromRtf(rtf);
    const QTextCursor body = pages->find(QStringLiteral("Body starts"), QTextCursor());
    ASSERT_FALSE(body.isNull());
    QRectF where;
    EXPECT_EQ(pages->pageOf(body, &where), 0);
    // Four 12-point lines start a quarter inch down: well past the half-inch margin.
    EXPECT_GT(where.top(), 24 + 4 * 16);
}

TEST(TextPages, ALongTextReportIsLaidOutSomeSheetsAtATime)
{
    QStringList sheets;
    for (int sheet = 1; sheet <= 40; ++sheet)
        sheets << QStringLiteral("Aging report sheet %1\r\nDr. Helen Reed  1,250.00\r\n").arg(sheet);
    const auto pages = TextPages::fromPlainText(sheets.join(QChar(12)));
    EXPECT_FALSE(pages->layOutMore(0));
    EXPECT_EQ(pages->pagesReady(), 16);
    EXPECT_EQ(pages->pageCount(), 40);
    const QTextCursor seventeen = pages->find(QStringLiteral("sheet 17"), QTextCursor());
    ASSERT_FALSE(seventeen.isNull());
    EXPECT_EQ(pages->pageOf(seventeen), 16);
}

// A landscape section between portrait ones has its own paper, and the view stacks the sheets by their own heights.
TEST(TextPages, EachSectionThatStartsAPageKeepsItsPaper)
{
    const std::string rtf = "{\\rtf1\\ansi\\paperw12240\\paperh15840\\sectd Letter\\par"
                            "\\sect\\sectd\\lndscpsxn\\pgwsxn15840\\pghsxn12240 Wide report\\par"
                            "\\sect\\sectd\\pgwsxn12240\\pghsxn15840 Letter again\\par}";
    const auto pages = TextPages::fromRtf(rtf);
    ASSERT_EQ(pages->pageCount(), 3);
    EXPECT_EQ(pages->pageSize(0), QSizeF(816, 1056));
    EXPECT_EQ(pages->pageSize(1), QSizeF(1056, 816));
    EXPECT_EQ(pages->pageSize(2), QSizeF(816, 1056));

    PageView view;
    view.resize(600, 400);
    view.setPages(pages.get());
    view.setZoom(100);
    const qreal scale = view.scale();
    const int gaps = 4 * 16;
    const int total = static_cast<int>(gaps + scale * (1056 + 816 + 1056));
    EXPECT_NEAR(view.verticalScrollBar()->maximum() + view.viewport()->height(), total, 1);
    view.showPage(2);
    EXPECT_EQ(view.currentPage(), 2);
    view.showPage(1);
    EXPECT_EQ(view.currentPage(), 1);
}

} // namespace
} // namespace corvane
