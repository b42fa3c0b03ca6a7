// RTF as a server or a host might hand it to the viewer: read it, then walk every index the model holds.
#include "RtfReader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const corvane::RtfDocument doc = corvane::RtfReader::read(input);
    check(!doc.stories.empty() && !doc.sections.empty());
    for (const corvane::RtfStory& story : doc.stories) {
        for (const corvane::RtfRun& run : story.runs) {
            check(run.format < doc.charFormats.size());
            if (run.kind == corvane::RtfRunKind::Text)
                check(std::size_t {run.offset} + run.length <= doc.text.size());
            else if (run.kind == corvane::RtfRunKind::Picture)
                check(run.offset < doc.pictures.size());
        }
        for (const corvane::RtfParagraph& paragraph : story.paragraphs)
            check(std::size_t {paragraph.firstRun} + paragraph.runCount <= story.runs.size()
                  && paragraph.format < doc.paraFormats.size());
        for (const corvane::RtfBlock& block : story.blocks)
            check(block.index
                  < (block.kind == corvane::RtfBlockKind::Table ? story.tables.size() : story.paragraphs.size()));
        for (const corvane::RtfTable& table : story.tables)
            check(std::size_t {table.firstRow} + table.rowCount <= story.rows.size());
        for (const corvane::RtfRow& row : story.rows)
            check(row.format < doc.rowFormats.size() && row.cellCount == doc.rowFormats[row.format].cells.size()
                  && std::size_t {row.firstCell} + row.cellCount <= story.cells.size());
        for (const corvane::RtfCell& cell : story.cells)
            check(std::size_t {cell.firstParagraph} + cell.paragraphCount <= story.paragraphs.size());
    }
    std::uint32_t next = 0;
    for (const corvane::RtfSection& section : doc.sections) {
        check(section.firstBlock == next);
        next += section.blockCount;
    }
    check(next == doc.body().blocks.size());
    for (std::size_t story = 0; story < doc.stories.size(); ++story)
        (void)doc.plainText(story);
    return 0;
}
