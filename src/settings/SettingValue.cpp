#include "SettingValue.h"

#include "SettingNumber.h"
#include "Text.h"

#include <cstdlib>

namespace corvane {

namespace {

bool fitsKind(ValueKind kind, std::int64_t number)
{
    switch (kind) {
    case ValueKind::Integer:
        return number >= -32768 && number <= 32767;
    case ValueKind::Long:
        return number >= INT32_MIN && number <= INT32_MAX;
    default:
        return true;
    }
}

} // namespace

bool SettingValue::isNumeric(ValueKind kind)
{
    switch (kind) {
    case ValueKind::Flag:
    case ValueKind::FlagExactlyOne:
    case ValueKind::Integer:
    case ValueKind::Long:
    case ValueKind::Decimal:
    case ValueKind::TextNumber:
        return true;
    case ValueKind::Text:
    case ValueKind::RawText:
        return false;
    }
    return false;
}

SettingConversion SettingValue::convert(const SettingKey& entry, std::string_view raw, const CachedSetting& previous)
{
    SettingConversion result;
    CachedSetting& value = result.value;
    if (entry.unsetWhenEmpty && text::trim(raw).empty()) {
        value.state = CachedSetting::State::NotSet;
        value.number = -1;
        return result;
    }
    std::string text(raw);
    if (text.empty() && entry.emptyDefault)
        text = std::string(*entry.emptyDefault);
    value.text = text;

    switch (entry.kind) {
    case ValueKind::Text:
    case ValueKind::RawText:
        return result;
    case ValueKind::FlagExactlyOne:
        value.number = text == "1" ? 1 : 0;
        return result;
    case ValueKind::Decimal: {
        if (text.empty())
            return result;
        std::string_view digits = text::trim(text);
        const bool negative = !digits.empty() && digits.front() == '-';
        if (negative)
            digits.remove_prefix(1);
        if (const auto hundredths = SettingNumber::parseHundredths(digits)) {
            value.number = negative ? -*hundredths : *hundredths;
            return result;
        }
        break;
    }
    default: {
        if (text.empty() && !entry.keepOnNonNumber)
            return result;
        if (const auto number = SettingNumber::parseStored(text); number && fitsKind(entry.kind, *number)) {
            value.number = entry.kind == ValueKind::Flag ? (*number != 0 ? 1 : 0) : *number;
            return result;
        }
        break;
    }
    }

    result.problem = std::string(entry.key) + " holds \"" + text + "\", which is not a number";
    if (entry.keepOnNonNumber) {
        value = previous;
        return result;
    }
    value.state = CachedSetting::State::NotANumber;
    value.number = 0;
    return result;
}

std::optional<int> SettingValue::choiceIndex(const CachedSetting& value, bool& negative)
{
    negative = false;
    if (value.state != CachedSetting::State::Value)
        return std::nullopt;
    if (value.number < 0)
        negative = true;
    const std::int64_t magnitude = value.number < 0 ? -value.number : value.number;
    if (magnitude > INT32_MAX)
        return std::nullopt;
    return static_cast<int>(magnitude);
}

std::optional<int> SettingValue::defaultChoice(const SettingKey& entry)
{
    bool negative = false;
    return choiceIndex(convert(entry, {}).value, negative);
}

bool SettingValue::isDefault(const SettingKey& entry, std::string_view raw)
{
    const CachedSetting fromEmpty = convert(entry, {}).value;
    const CachedSetting stored = convert(entry, raw, fromEmpty).value;
    if (!isNumeric(entry.kind))
        return stored.text == fromEmpty.text;
    if (stored.state != fromEmpty.state)
        return false;
    bool negative = false;
    return choiceIndex(stored, negative) == choiceIndex(fromEmpty, negative);
}

} // namespace corvane
