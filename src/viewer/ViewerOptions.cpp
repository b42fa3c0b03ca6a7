#include "ViewerOptions.h"

#include "RtfReader.h"
#include "Text.h"

#include <algorithm>
#include <charconv>

namespace corvane {

namespace {

std::optional<long> number(std::string_view field)
{
    field = text::trim(field);
    long value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size() || field.empty())
        return std::nullopt;
    return value;
}

bool startsWithBytes(std::string_view bytes, std::string_view magic)
{
    return bytes.substr(0, magic.size()) == magic;
}

} // namespace

FormatChoice ViewerOptions::decodeFormat(std::string_view dataFormat)
{
    const std::string format = text::upper(text::trim(dataFormat));
    FormatChoice choice;
    if (format == "RTF" || format == "RTF:TXT" || format == "RTF:BROWSER") {
        // RTF meant for the browser view is shown rendered: a web page would show its source.
        choice.kind = DocumentKind::Rtf;
        choice.loadFormat = 5;
    } else if (format == "HTML:TXT" || format == "HTML") {
        choice.kind = DocumentKind::Html;
        choice.loadFormat = 4;
    } else if (format == "TXT:TXT" || format == "TXT") {
        choice.kind = DocumentKind::PlainText;
        choice.loadFormat = 1;
    } else if (format == "HTML:BROWSER") {
        choice.view = ViewerView::Browser;
        choice.kind = DocumentKind::Html;
    } else if (format == "TXT:BROWSER" || format == "HTML:BROWSER:FILE") {
        choice.view = ViewerView::Browser;
        choice.kind = DocumentKind::Html;
        choice.fromFile = true;
    } else if (format == "PDF" || format == "PDF:FILE") {
        choice.kind = DocumentKind::Pdf;
        choice.fromFile = format == "PDF:FILE";
    } else if (format == "IMAGE" || format == "IMAGE:FILE") {
        choice.kind = DocumentKind::Image;
        choice.fromFile = format == "IMAGE:FILE";
    } else if (format == "XML:BROWSER" || format == "XML:BROWSER:FILE") {
        choice.kind = DocumentKind::PlainText;
        choice.loadFormat = 1;
        choice.fromFile = format == "XML:BROWSER:FILE";
        choice.message = std::string(dataFormat) + " Not implemented ";
    } else {
        choice.sniff = true;
        if (!format.empty())
            choice.message = "Document format \"" + std::string(dataFormat) + "\" was not recognized.";
    }
    return choice;
}

DocumentKind ViewerOptions::sniff(std::string_view bytes)
{
    if (RtfReader::looksLikeRtf(bytes))
        return DocumentKind::Rtf;
    if (startsWithBytes(bytes, "%PDF-"))
        return DocumentKind::Pdf;
    if (startsWithBytes(bytes, "\x89PNG") || startsWithBytes(bytes, "\xFF\xD8\xFF") || startsWithBytes(bytes, "GIF8")
        || startsWithBytes(bytes, "BM") || startsWithBytes(bytes, std::string_view("II*\0", 4))
        || startsWithBytes(bytes, std::string_view("MM\0*", 4)))
        return DocumentKind::Image;
    std::string_view head = bytes.substr(0, 512);
    if (startsWithBytes(head, "\xEF\xBB\xBF"))
        head.remove_prefix(3);
    head = text::trim(head);
    for (const std::string_view marker : {"<!DOCTYPE HTML", "<HTML", "<BODY", "<HEAD", "<TABLE", "<DIV", "<P>"}) {
        if (text::startsWithNoCase(head, marker))
            return DocumentKind::Html;
    }
    return DocumentKind::PlainText;
}

DocumentSettings ViewerOptions::splitDocumentSettings(std::string_view settings)
{
    DocumentSettings result;
    if (text::trim(settings).empty())
        return result;
    result.askForPrinter = false;
    for (const std::string_view item : text::split(settings, "||")) {
        const std::string_view trimmed = text::trim(item);
        if (trimmed.empty())
            continue;
        if (text::equalsNoCase(trimmed, "Orientation=1"))
            result.orientation = 1;
        else if (text::equalsNoCase(trimmed, "Orientation=2"))
            result.orientation = 2;
        else if (text::equalsNoCase(trimmed, "Printer=?"))
            result.askForPrinter = true;
    }
    return result;
}

int JobList::position() const
{
    const auto found = std::find(list.begin(), list.end(), current);
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

JobList ViewerOptions::splitJobId(std::string_view jobId)
{
    JobList jobs;
    const std::size_t tab = jobId.find('\t');
    jobs.current = std::string(text::trim(jobId.substr(0, tab)));
    if (tab == std::string_view::npos)
        return jobs;
    for (const std::string_view element : text::split(jobId.substr(tab + 1), ':')) {
        const std::string_view trimmed = text::trim(element);
        if (!trimmed.empty())
            jobs.list.emplace_back(trimmed);
    }
    return jobs;
}

ModeFlags ViewerOptions::splitMode(std::string_view mode)
{
    ModeFlags flags;
    for (const std::string_view flag : text::split(mode, '\t')) {
        const std::string_view trimmed = text::trim(flag);
        flags.fax = flags.fax || text::equalsNoCase(trimmed, "FAX");
        flags.serverPrint = flags.serverPrint || text::equalsNoCase(trimmed, "CORVANEPRINT");
    }
    return flags;
}

std::string ViewerOptions::neighbourRequest(std::string_view firstRequest, std::string_view number)
{
    std::string_view body = firstRequest;
    const bool closingBar = !body.empty() && body.back() == '|';
    if (closingBar)
        body.remove_suffix(1);
    const std::size_t bar = body.rfind('|');
    std::string request(bar == std::string_view::npos ? std::string_view() : body.substr(0, bar + 1));
    request.append(number);
    if (closingBar)
        request += '|';
    return request;
}

std::optional<WindowPlacement> ViewerOptions::findPlacement(std::string_view preferences, std::string_view key)
{
    if (key.empty())
        return std::nullopt;
    for (const std::string_view entry : text::split(preferences, '\t')) {
        const auto fields = text::split(entry, ':');
        if (fields.size() < 6 || !text::equalsNoCase(fields[0], key))
            continue;
        WindowPlacement placement;
        const auto zoom = number(fields[1]);
        placement.zoomIndex = zoom && *zoom >= 1 && *zoom <= 10 ? static_cast<int>(*zoom) : 3;
        placement.left = number(fields[2]).value_or(0);
        placement.top = number(fields[3]).value_or(0);
        if (text::equalsNoCase(text::trim(fields[4]), "MAX")) {
            placement.maximised = true;
            return placement;
        }
        placement.width = std::max(0L, number(fields[4]).value_or(0));
        placement.height = std::max(0L, number(fields[5]).value_or(0));
        return placement;
    }
    return std::nullopt;
}

std::string ViewerOptions::placementEntry(std::string_view key, const WindowPlacement& placement)
{
    std::string entry(key);
    entry += ':' + std::to_string(placement.zoomIndex) + ':' + std::to_string(placement.left) + ':'
        + std::to_string(placement.top) + ':';
    if (placement.maximised)
        entry += "MAX:MAX";
    else
        entry += std::to_string(placement.width) + ':' + std::to_string(placement.height);
    return entry;
}

std::string ViewerOptions::storePlacement(std::string_view preferences, std::string_view key, std::string_view entry)
{
    if (preferences.empty())
        return std::string(entry);
    const std::string prefix = std::string(key) + ':';
    std::vector<std::string> entries;
    bool replaced = false;
    for (const std::string_view existing : text::split(preferences, '\t')) {
        if (!replaced && text::startsWithNoCase(existing, prefix)) {
            entries.emplace_back(entry);
            replaced = true;
        } else {
            entries.emplace_back(existing);
        }
    }
    if (!replaced)
        entries.emplace_back(entry);
    return text::join(entries, "\t");
}

bool ViewerOptions::usableKey(std::string_view key)
{
    return !text::trim(key).empty() && key.find_first_of(":\t\r\n") == std::string_view::npos;
}

void ViewerOptions::keepOnDesktop(WindowPlacement& placement, const TwipsRect& desktop)
{
    const long right = desktop.left + desktop.width;
    const long bottom = desktop.top + desktop.height;
    if (placement.top > bottom - 2000)
        placement.top = bottom - 2000;
    if (placement.left > right - 2000)
        placement.left = right - 2000;
    if (placement.left + placement.width < desktop.left)
        placement.left = desktop.left;
    if (placement.top + placement.height < desktop.top)
        placement.top = desktop.top;
}

std::string ViewerOptions::printerEntry(std::string_view name, std::string_view description, std::string_view port)
{
    std::string entry(name);
    entry += "       ";
    entry += description;
    entry += "      PORT: ";
    entry += port;
    return entry;
}

int ViewerOptions::rememberedEntry(const std::vector<std::string>& entries, const std::vector<std::string>& names,
                                   std::string_view reply)
{
    if (text::trim(reply).empty())
        return -1;
    // The server keeps "|" as ";", so compare in its writing: an entry that holds ";" itself still matches.
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (text::replaceAll(entries[i], "|", ";") == reply)
            return static_cast<int>(i);
    }
    // A printer whose description or port changed since is still the one the operator chose.
    const std::string_view rememberedName = reply.substr(0, reply.find("       "));
    for (std::size_t i = 0; i < names.size() && i < entries.size(); ++i) {
        if (text::replaceAll(names[i], "|", ";") == rememberedName)
            return static_cast<int>(i);
    }
    return -1;
}

std::string ViewerOptions::serverPrintRequest(std::string_view documentNumber, std::string_view printerName)
{
    std::string request = "|GET|TRAN|PRINT|";
    request += documentNumber;
    request += '|';
    request += printerName;
    return request;
}

} // namespace corvane
