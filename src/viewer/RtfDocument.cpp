#include "RtfDocument.h"

namespace corvane {

namespace {

template<typename T> std::size_t heldBy(const std::vector<T>& items)
{
    return items.capacity() * sizeof(T);
}

void appendParagraph(const RtfDocument& document, const RtfStory& story, const RtfParagraph& paragraph,
                     std::string& out)
{
    for (std::uint32_t i = 0; i < paragraph.runCount; ++i) {
        const RtfRun& run = story.runs[paragraph.firstRun + i];
        switch (run.kind) {
        case RtfRunKind::Text:
            out += document.runText(run);
            break;
        case RtfRunKind::Picture:
            out += "\xEF\xBF\xBC";
            break;
        default:
            out += '#';
            break;
        }
    }
}

} // namespace

std::string_view RtfDocument::runText(const RtfRun& run) const
{
    if (run.kind != RtfRunKind::Text || run.offset > text.size())
        return {};
    return std::string_view(text).substr(run.offset, run.length);
}

std::string RtfDocument::plainText(std::size_t storyIndex) const
{
    std::string out;
    if (storyIndex >= stories.size())
        return out;
    const RtfStory& story = stories[storyIndex];
    for (const RtfBlock& block : story.blocks) {
        if (block.kind == RtfBlockKind::Paragraph) {
            appendParagraph(*this, story, story.paragraphs[block.index], out);
            out += '\n';
            continue;
        }
        const RtfTable& table = story.tables[block.index];
        for (std::uint32_t r = 0; r < table.rowCount; ++r) {
            const RtfRow& row = story.rows[table.firstRow + r];
            bool first = true;
            for (std::uint32_t c = 0; c < row.cellCount; ++c) {
                const RtfCell& cell = story.cells[row.firstCell + c];
                if (cell.covered)
                    continue;
                if (!first)
                    out += '\t';
                first = false;
                for (std::uint32_t p = 0; p < cell.paragraphCount; ++p) {
                    if (p > 0)
                        out += '\n';
                    appendParagraph(*this, story, story.paragraphs[cell.firstParagraph + p], out);
                }
            }
            out += '\n';
        }
    }
    return out;
}

std::size_t RtfDocument::bytesHeld() const
{
    std::size_t bytes = sizeof(RtfDocument) + text.capacity() + heldBy(fonts) + heldBy(colours) + heldBy(charFormats)
        + heldBy(paraFormats) + heldBy(rowFormats) + heldBy(pictures) + heldBy(links) + heldBy(stories)
        + heldBy(sections) + title.capacity();
    for (const RtfFont& font : fonts)
        bytes += font.name.capacity();
    for (const RtfParaFormat& format : paraFormats)
        bytes += heldBy(format.tabs);
    for (const RtfRowFormat& format : rowFormats)
        bytes += heldBy(format.cells);
    for (const RtfPicture& picture : pictures)
        bytes += picture.bytes.capacity();
    for (const std::string& link : links)
        bytes += link.capacity();
    for (const RtfStory& story : stories) {
        bytes += heldBy(story.blocks) + heldBy(story.paragraphs) + heldBy(story.runs) + heldBy(story.tables)
            + heldBy(story.rows) + heldBy(story.cells);
    }
    return bytes;
}

} // namespace corvane
