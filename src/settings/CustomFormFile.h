#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// What the header block of a form layout file names.
struct CustomFormHeader {
    bool hasHeader = false; ///< a "<HEADER>" line was seen
    std::string name;
    std::string code;
    std::string type;
    std::vector<std::string> images; ///< background image first, then the further images, each once
};

/// A form layout file (".ldt") checked for import: its text, its header and the image files it names.
struct CustomFormCheck {
    bool valid = false;
    std::string text; ///< the whole file, uploaded unchanged
    CustomFormHeader header;
    std::vector<std::filesystem::path> imagePaths; ///< where each image of the header was found
    std::string errors; ///< the text shown when the file is not valid
};

/// Reading form layout files and the image files they name. Text is kept byte for byte (Windows-1252 wire text).
class CustomFormFile {
public:
    /// The size as the window shows it: "512 B" below 1024 bytes, otherwise kilobytes rounded to two decimals
    /// ("1.5 KB"); "0 B" for an empty file.
    static std::string sizeText(std::uintmax_t bytes);
    /// The header block of a layout text. Lines end with LF (a CR before it is dropped), fields are separated by
    /// TAB; the walk stops at "</HEADER>".
    static CustomFormHeader readHeader(std::string_view text);
    /// The names joined by byte 230, as the window keeps its image list.
    static std::string imageList(const std::vector<std::string>& images);
    /// The file's base name without folder and extension: the code and name of a header that lacks them.
    static std::string fallbackName(const std::filesystem::path& path);

    /// The whole file as text; empty (and not read) when its size text is "0 B". Nothing, with the error text,
    /// when it cannot be read.
    static std::optional<std::string> readText(const std::filesystem::path& path, std::string& error);
    /// The file's bytes, one character each; refused above 2147483646 bytes with "File is larger than 2147483647".
    static std::optional<std::string> readBytes(const std::filesystem::path& path, std::string& error);
    /// The image named in the layout file's folder: the exact name, or else the one name that differs from it in
    /// letter case only.
    static std::optional<std::filesystem::path> findImage(const std::filesystem::path& folder, std::string_view name);

    /// Reads and validates a layout file: it exists, is not empty, has a header, and every image it names exists
    /// in its folder with a size above 0. Missing code or name fall back to the file's base name.
    static CustomFormCheck check(const std::filesystem::path& path);
};

/// The requests that store a form on the server: the layout in one request, each image in pieces that keep every
/// request within 9000 characters.
class CustomFormUpload {
public:
    static constexpr std::size_t requestLimit = 9000;

    /// "|SET|CUSTFORM|T|" code "|" name ":" type "|" text.
    static std::string layoutRequest(std::string_view code, std::string_view name, std::string_view type,
                                     std::string_view text);
    /// 9000 minus (the length of "|SET|CUSTFORM|I-111|" code "|" image "|" plus 10).
    static std::size_t pieceLength(std::string_view code, std::string_view image);
    /// The number of pieces of data: its length divided by the piece length, rounded up; at least one.
    static std::size_t pieceCount(std::size_t dataLength, std::size_t pieceLength);
    /// "|SET|CUSTFORM|I-" i "|" code "|" image "|" piece, for i from 1.
    static std::vector<std::string> imageRequests(std::string_view code, std::string_view image, std::string_view data);
    /// Why code, name or type cannot be stored (a separator, ":" in name or type, an empty code or name), or
    /// nothing when they can.
    static std::optional<std::string> refusal(std::string_view code, std::string_view name, std::string_view type);
};

} // namespace corvane
