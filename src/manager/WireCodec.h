#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// The one conversion between Windows-1252 wire text and QString. Every byte value maps to one character and
/// back (the five bytes Windows-1252 leaves undefined map to the C1 controls of the same value).
class WireCodec {
public:
    static QString toQString(std::string_view wire);
    /// The wire text for text; nothing when a character has no Windows-1252 byte.
    static std::optional<std::string> toWire(const QString& text);
    /// The wire text for text the library wrote itself (captions, messages): unencodable characters become "?".
    static std::string toWireLossy(const QString& text);
    /// The first character of text that has no Windows-1252 byte, or a null QChar when there is none.
    static QChar firstUnencodable(const QString& text);
    /// Encodes an operator's typed text; when it cannot be sent, says so through the prompter and returns nothing.
    static std::optional<std::string> toWireOrComplain(const QString& text, const QString& fieldName);

    /// Typed text judged for sending: the wire text, or the refusal that names the offending character.
    struct TypedText {
        std::optional<std::string> wire;
        std::string refusal;
    };
    /// The one way an operator's typed text becomes wire text: refuses a character Windows-1252 cannot carry and
    /// every separator (SeparatorCheck, plus the payload's own field separators), without telling anyone.
    static TypedText encodeTyped(const QString& text, const QString& fieldName, std::string_view ownSeparators = {});
    /// encodeTyped, showing the refusal through the prompter; nothing when the text cannot be sent.
    static std::optional<std::string> toWireChecked(const QString& text, const QString& fieldName,
                                                    std::string_view ownSeparators = {});
};

} // namespace corvane
