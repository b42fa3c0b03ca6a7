#include "CustomFormFile.h"

#include "SeparatorCheck.h"
#include "Text.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

namespace corvane {

namespace {

namespace fs = std::filesystem;

constexpr std::uintmax_t largestFile = 2147483647;

std::string_view field(const std::vector<std::string_view>& fields, std::size_t number)
{
    return number >= 1 && number <= fields.size() ? text::trim(fields[number - 1]) : std::string_view();
}

void addImage(CustomFormHeader& header, std::string_view name)
{
    if (name.empty())
        return;
    if (std::find(header.images.begin(), header.images.end(), name) == header.images.end())
        header.images.emplace_back(name);
}

std::string shownPath(const fs::path& folder, std::string_view name)
{
    return folder.string() + static_cast<char>(fs::path::preferred_separator) + std::string(name);
}

} // namespace

std::string CustomFormFile::sizeText(std::uintmax_t bytes)
{
    if (bytes < 1024)
        return std::to_string(bytes) + " B";
    // Hundredths of a kilobyte, half to even as the rounding the window has always used.
    const std::uintmax_t scaled = bytes * 100;
    std::uintmax_t hundredths = scaled / 1024;
    const std::uintmax_t rest = scaled % 1024;
    if (rest > 512 || (rest == 512 && hundredths % 2 == 1))
        ++hundredths;
    std::string shown = std::to_string(hundredths / 100);
    const std::uintmax_t cents = hundredths % 100;
    if (cents != 0) {
        shown += '.';
        shown += static_cast<char>('0' + cents / 10);
        if (cents % 10 != 0)
            shown += static_cast<char>('0' + cents % 10);
    }
    return shown + " KB";
}

CustomFormHeader CustomFormFile::readHeader(std::string_view text)
{
    CustomFormHeader header;
    bool inside = false;
    for (std::string_view line : text::split(text, '\n')) {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const auto fields = text::split(line, '\t');
        const std::string_view tag = fields.front();
        if (tag.starts_with("</HEADER>"))
            break;
        if (tag.starts_with("<HEADER>")) {
            header.hasHeader = true;
            inside = true;
            continue;
        }
        if (!inside)
            continue;
        if (tag.starts_with("Form_Name:"))
            header.name = field(fields, 2);
        else if (tag.starts_with("Form_Code:"))
            header.code = field(fields, 2);
        else if (tag.starts_with("Form_Type:"))
            header.type = field(fields, 2);
        else if (tag.starts_with("Background_Image:"))
            addImage(header, field(fields, 2));
        else if (tag.starts_with("Image:"))
            addImage(header, field(fields, 6));
    }
    return header;
}

std::string CustomFormFile::imageList(const std::vector<std::string>& images)
{
    return text::join(images, std::string(1, text::recordSeparator));
}

std::string CustomFormFile::fallbackName(const fs::path& path)
{
    return path.stem().string();
}

std::optional<std::string> CustomFormFile::readText(const fs::path& path, std::string& error)
{
    std::error_code code;
    const std::uintmax_t size = fs::file_size(path, code);
    if (code) {
        error = code.message();
        return std::nullopt;
    }
    if (sizeText(size) == "0 B")
        return std::string();
    return readBytes(path, error);
}

std::optional<std::string> CustomFormFile::readBytes(const fs::path& path, std::string& error)
{
    std::error_code code;
    const std::uintmax_t size = fs::file_size(path, code);
    if (code) {
        error = code.message();
        return std::nullopt;
    }
    if (size >= largestFile) {
        error = "File is larger than 2147483647";
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "the file cannot be opened";
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    if (static_cast<std::uintmax_t>(in.gcount()) != size) {
        error = "the file could not be read whole";
        return std::nullopt;
    }
    return bytes;
}

std::optional<fs::path> CustomFormFile::findImage(const fs::path& folder, std::string_view name)
{
    std::error_code code;
    const fs::path exact = folder / fs::path(std::string(name));
    if (fs::is_regular_file(exact, code))
        return exact;
    // Layout files are made on systems where letter case in file names does not matter.
    std::optional<fs::path> found;
    for (const auto& entry : fs::directory_iterator(folder, code)) {
        if (!entry.is_regular_file(code) || !text::equalsNoCase(entry.path().filename().string(), name))
            continue;
        if (found)
            return std::nullopt;
        found = entry.path();
    }
    return found;
}

CustomFormCheck CustomFormFile::check(const fs::path& path)
{
    CustomFormCheck result;
    std::error_code code;
    if (!fs::is_regular_file(path, code)) {
        result.errors = "File, '" + path.string() + "' not found.";
        return result;
    }
    std::string error;
    const auto text = readText(path, error);
    if (!text) {
        result.errors = "Error reading file in frmLoadCustom/CustomFormReadFile, '" + path.string() + "'. " + error;
        return result;
    }
    if (text->empty()) {
        result.errors = "Not a valid Custom Form. File, '" + path.string() + "' is empty.";
        return result;
    }
    result.text = *text;
    result.header = readHeader(result.text);

    std::vector<std::string> errors;
    const fs::path folder = path.parent_path();
    for (const std::string& name : result.header.images) {
        const auto image = findImage(folder, name);
        if (!image) {
            errors.push_back("Image File, '" + shownPath(folder, name) + "' not found.");
            continue;
        }
        if (fs::file_size(*image, code) == 0 || code)
            errors.push_back("Image File, '" + shownPath(folder, name) + "' size is 0.");
        else
            result.imagePaths.push_back(*image);
    }
    if (result.header.hasHeader) {
        if (result.header.code.empty())
            result.header.code = fallbackName(path);
        if (result.header.name.empty())
            result.header.name = fallbackName(path);
    }
    result.errors = text::join(errors, "\r\n");
    if (!result.header.hasHeader)
        result.errors = "Not a valid Custom Form. " + result.errors;
    result.valid = result.errors.empty();
    return result;
}

std::string CustomFormUpload::layoutRequest(std::string_view code, std::string_view name, std::string_view type,
                                            std::string_view text)
{
    std::string request = "|SET|CUSTFORM|T|";
    request.reserve(request.size() + code.size() + name.size() + type.size() + text.size() + 3);
    request.append(code).append("|").append(name).append(":").append(type).append("|").append(text);
    return request;
}

std::size_t CustomFormUpload::pieceLength(std::string_view code, std::string_view image)
{
    const std::size_t fixed = std::string_view("|SET|CUSTFORM|I-111|").size() + code.size() + 1 + image.size() + 1;
    return fixed + 10 >= requestLimit ? 1 : requestLimit - (fixed + 10);
}

std::size_t CustomFormUpload::pieceCount(std::size_t dataLength, std::size_t pieceLength)
{
    if (pieceLength == 0)
        return 0;
    return std::max<std::size_t>(1, (dataLength + pieceLength - 1) / pieceLength);
}

std::vector<std::string> CustomFormUpload::imageRequests(std::string_view code, std::string_view image,
                                                         std::string_view data)
{
    const std::size_t length = pieceLength(code, image);
    const std::size_t count = pieceCount(data.size(), length);
    std::vector<std::string> requests;
    requests.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::string request = "|SET|CUSTFORM|I-" + std::to_string(i + 1) + "|";
        request.append(code).append("|").append(image).append("|");
        request.append(data.substr(std::min(data.size(), i * length), length));
        requests.push_back(std::move(request));
    }
    return requests;
}

std::optional<std::string> CustomFormUpload::refusal(std::string_view code, std::string_view name,
                                                     std::string_view type)
{
    if (text::trim(code).empty())
        return std::string("Form: the form code is missing.");
    if (text::trim(name).empty())
        return std::string("Description: the form name is missing.");
    if (const auto byte = SeparatorCheck::firstRefused(code))
        return SeparatorCheck::refusalText("Form", *byte);
    if (const auto byte = SeparatorCheck::firstRefused(name, ":"))
        return SeparatorCheck::refusalText("Description", *byte);
    if (const auto byte = SeparatorCheck::firstRefused(type))
        return SeparatorCheck::refusalText("Form Type", *byte);
    return std::nullopt;
}

} // namespace corvane
