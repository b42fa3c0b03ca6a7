#pragma once

#include <string>
#include <string_view>
#include <vector>

// Byte-wise helpers for Windows-1252 wire text. upper() and the *NoCase helpers fold ASCII only, as the server's
// do; foldCase() also folds the accented letters of Windows-1252, for searches the operator types.
namespace corvane::text {

inline constexpr char recordSeparator = static_cast<char>(230);
inline constexpr char moduleHeaderMark = static_cast<char>(231);
inline constexpr char replyJoiner = static_cast<char>(246);
inline constexpr char colonStandIn = static_cast<char>(199);
inline constexpr std::string_view lineBreak = "\r\n";

char upper(char c);
std::string upper(std::string_view s);
std::string_view trim(std::string_view s);
/// The upper-case form of a Windows-1252 letter, accented letters included ("\xF1" n tilde is "\xD1"); other bytes
/// are returned unchanged.
char foldCase(char c);
std::string foldCase(std::string_view s);
/// The lower-case form of a Windows-1252 letter, accented letters included.
char lowerCase(char c);
bool startsWithNoCase(std::string_view s, std::string_view prefix);
bool containsNoCase(std::string_view s, std::string_view needle);
bool equalsNoCase(std::string_view a, std::string_view b);
/// Splits at every occurrence of delimiter; an empty text gives one empty piece.
std::vector<std::string_view> split(std::string_view s, std::string_view delimiter);
std::vector<std::string_view> split(std::string_view s, char delimiter);
std::string join(const std::vector<std::string>& pieces, std::string_view separator);
/// Replaces every occurrence of from by to.
std::string replaceAll(std::string_view s, std::string_view from, std::string_view to);

} // namespace corvane::text
