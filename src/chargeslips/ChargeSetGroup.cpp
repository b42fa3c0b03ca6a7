#include "ChargeSetGroup.h"

#include <charconv>

namespace corvane {

ChargeSetItem& ChargeSetGroup::Add(const std::string& code, const std::string& description, const std::string& type,
                                   std::int16_t number, const std::string& key, int before)
{
    std::size_t at = m_items.size();
    if (before > 0 && static_cast<std::size_t>(before) <= m_items.size())
        at = static_cast<std::size_t>(before - 1);
    m_keys.insert(m_keys.begin() + static_cast<std::ptrdiff_t>(at), key);
    return *m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(at),
                           ChargeSetItem {code, description, number, type});
}

ChargeSetItem* ChargeSetGroup::Item(int index)
{
    return index >= 1 && index <= Count() ? &m_items[static_cast<std::size_t>(index - 1)] : nullptr;
}

const ChargeSetItem* ChargeSetGroup::Item(int index) const
{
    return index >= 1 && index <= Count() ? &m_items[static_cast<std::size_t>(index - 1)] : nullptr;
}

ChargeSetItem* ChargeSetGroup::Item(const std::string& key)
{
    if (key.empty())
        return nullptr;
    for (std::size_t i = 0; i < m_keys.size(); ++i) {
        if (m_keys[i] == key)
            return &m_items[i];
    }
    return nullptr;
}

void ChargeSetGroup::Remove(int index)
{
    if (index < 1 || index > Count())
        return;
    m_items.erase(m_items.begin() + (index - 1));
    m_keys.erase(m_keys.begin() + (index - 1));
}

void ChargeSetGroup::RemoveAll()
{
    m_items.clear();
    m_keys.clear();
}

void ChargeSetGroup::setGroupNumber(const std::string& number)
{
    int value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc() && end == number.data() + number.size() && value >= 0 && value <= 32767)
        m_number = static_cast<std::int16_t>(value);
}

} // namespace corvane
