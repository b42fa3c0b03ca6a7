#include "RtfStatementRun.h"

#include "RtfReader.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {

/// Pages the run asks for: a page per section plus one per page break inside it.
int pagesOf(const RtfDocument& doc)
{
    int pages = 0;
    const RtfStory& body = doc.body();
    for (const RtfSection& section : doc.sections) {
        ++pages;
        for (std::uint32_t b = section.firstBlock; b < section.firstBlock + section.blockCount; ++b) {
            const RtfBlock& block = body.blocks[b];
            const bool breaks = block.kind == RtfBlockKind::Table ? body.tables[block.index].pageBreakBefore
                                                                  : body.paragraphs[block.index].pageBreakBefore;
            pages += breaks ? 1 : 0;
        }
    }
    return pages;
}

TEST(RtfStatementRunTest, readsBackAsStatementsWithTheirPages)
{
    for (const int pages : {1, 2, 7, 40}) {
        SCOPED_TRACE(pages);
        const std::string rtf = RtfStatementRun::generate(pages);
        EXPECT_EQ(rtf, RtfStatementRun::generate(pages)) << "the same pages give the same bytes";
        const RtfDocument doc = RtfReader::read(rtf);
        EXPECT_EQ(pagesOf(doc), pages);
        EXPECT_EQ(doc.title, "Patient statements");

        ASSERT_EQ(doc.pictures.size(), 1u) << "the logo is kept once";
        EXPECT_EQ(doc.pictures[0].kind, RtfPictureKind::Png);
        EXPECT_EQ(doc.pictures[0].bytes, RtfStatementRun::logoPng());
        EXPECT_EQ(doc.pictures[0].width, 1800);

        for (const RtfSection& section : doc.sections) {
            const RtfBlock& first = doc.body().blocks.at(section.firstBlock);
            ASSERT_EQ(first.kind, RtfBlockKind::Paragraph);
            const RtfParagraph& top = doc.body().paragraphs[first.index];
            EXPECT_EQ(doc.body().runs.at(top.firstRun).kind, RtfRunKind::Picture) << "a logo on each first page";
            ASSERT_GE(section.footers.all, 0);
            EXPECT_EQ(doc.plainText(static_cast<std::size_t>(section.footers.all)), "Page # of #\n");
            EXPECT_EQ(section.pageNumberStart, 1);
        }
        for (const RtfTable& table : doc.body().tables) {
            EXPECT_EQ(table.headerRows, 1u);
            EXPECT_EQ(table.columnCount, 7u);
        }
        bool decimalTabs = false;
        for (const RtfParaFormat& format : doc.paraFormats) {
            for (const RtfTabStop& tab : format.tabs)
                decimalTabs = decimalTabs || tab.kind == RtfTabKind::Decimal;
        }
        EXPECT_TRUE(decimalTabs);
    }
}

} // namespace
