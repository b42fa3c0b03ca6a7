#include "WireCodec.h"

#include "Messages.h"
#include "SeparatorCheck.h"
#include "SharedState.h"

#include <array>

namespace corvane {

namespace {

// Bytes 0x80 to 0x9F; undefined bytes keep their own value as a C1 control so that every byte round-trips.
constexpr std::array<char16_t, 32> highControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::optional<char> byteFor(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<char>(unit);
    for (std::size_t i = 0; i < highControls.size(); ++i) {
        if (highControls[i] == unit)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

} // namespace

QString WireCodec::toQString(std::string_view wire)
{
    QString out(static_cast<qsizetype>(wire.size()), Qt::Uninitialized);
    QChar* target = out.data();
    for (std::size_t i = 0; i < wire.size(); ++i) {
        const auto byte = static_cast<unsigned char>(wire[i]);
        target[i] = QChar(byte >= 0x80 && byte < 0xA0 ? highControls[byte - 0x80] : char16_t(byte));
    }
    return out;
}

std::optional<std::string> WireCodec::toWire(const QString& text)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text) {
        const auto byte = byteFor(c.unicode());
        if (!byte)
            return std::nullopt;
        out += *byte;
    }
    return out;
}

std::string WireCodec::toWireLossy(const QString& text)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text)
        out += byteFor(c.unicode()).value_or('?');
    return out;
}

QChar WireCodec::firstUnencodable(const QString& text)
{
    for (QChar c : text) {
        if (!byteFor(c.unicode()))
            return c;
    }
    return QChar();
}

namespace {

// The refused character itself cannot travel in wire text, so the message spells it as its code point too.
std::string unencodableRefusal(const QString& fieldName, QChar c)
{
    const QString message
        = QStringLiteral("%1 holds the character \"%2\" (U+%3), which the practice server cannot "
                         "store.\r\nPlease remove or replace it.")
              .arg(fieldName, c, QString::number(c.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0')));
    return WireCodec::toWireLossy(message);
}

} // namespace

std::optional<std::string> WireCodec::toWireOrComplain(const QString& text, const QString& fieldName)
{
    if (auto wire = toWire(text))
        return wire;
    tell(unencodableRefusal(fieldName, firstUnencodable(text)), PromptIcon::Warning);
    return std::nullopt;
}

WireCodec::TypedText WireCodec::encodeTyped(const QString& text, const QString& fieldName,
                                            std::string_view ownSeparators)
{
    TypedText typed;
    auto wire = toWire(text);
    if (!wire) {
        typed.refusal = unencodableRefusal(fieldName, firstUnencodable(text));
        return typed;
    }
    if (const auto refused = SeparatorCheck::firstRefused(*wire, ownSeparators)) {
        typed.refusal = SeparatorCheck::refusalText(toWireLossy(fieldName), *refused);
        return typed;
    }
    typed.wire = std::move(wire);
    return typed;
}

std::optional<std::string> WireCodec::toWireChecked(const QString& text, const QString& fieldName,
                                                    std::string_view ownSeparators)
{
    TypedText typed = encodeTyped(text, fieldName, ownSeparators);
    if (!typed.wire)
        tell(typed.refusal, PromptIcon::Warning);
    return std::move(typed.wire);
}

} // namespace corvane
