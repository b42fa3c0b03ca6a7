#pragma once

#include "ChargeSetItem.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

/// A named group of diagnosis ("D") or procedure ("P") codes, in order.
class ChargeSetGroup {
public:
    /// Creates an item with the four values and adds it: before the 1-based position before when it is greater than
    /// 0, else at the end. A non-empty key names the item for Item(key).
    ChargeSetItem& Add(const std::string& code, const std::string& description, const std::string& type,
                       std::int16_t number, const std::string& key = {}, int before = 0);
    /// The item at a 1-based position; null past the end.
    ChargeSetItem* Item(int index);
    const ChargeSetItem* Item(int index) const;
    /// The item added under key; null when none was.
    ChargeSetItem* Item(const std::string& key);
    int Count() const { return static_cast<int>(m_items.size()); }
    /// Removes the item at a 1-based position.
    void Remove(int index);
    void RemoveAll();

    std::vector<ChargeSetItem>::const_iterator begin() const { return m_items.begin(); }
    std::vector<ChargeSetItem>::const_iterator end() const { return m_items.end(); }

    std::string GroupName;
    std::string GroupID; ///< kept for the host; not part of the set string
    std::string GroupType; ///< "D" (Diagnosis) or "P" (Procedures)

    std::string GroupNumber() const { return std::to_string(m_number); }
    void setGroupNumber(const std::string& number);
    std::int16_t number() const { return m_number; }
    void setNumber(std::int16_t number) { m_number = number; }

private:
    std::vector<ChargeSetItem> m_items;
    std::vector<std::string> m_keys;
    std::int16_t m_number = 0;
};

} // namespace corvane
