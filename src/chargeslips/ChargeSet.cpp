#include "ChargeSet.h"

#include "Text.h"

namespace corvane {

void ChargeSet::parse(std::string_view setString)
{
    if (setString.empty())
        return;
    ChargeSetGroup* current = nullptr;
    std::int16_t itemCounter = 0;
    for (auto record : text::split(setString, text::recordSeparator)) {
        if (record.empty())
            continue;
        const auto fields = text::split(record, '\t');
        const auto field = [&](std::size_t i) {
            return i < fields.size() ? std::string(fields[i]) : std::string();
        };
        if (!fields[0].empty()) {
            ChargeSetGroup group;
            group.GroupName = field(0);
            group.GroupType = field(1);
            current = &add(std::move(group));
            itemCounter = 0;
            continue;
        }
        if (!current)
            continue;
        ++itemCounter;
        current->Add(field(2), field(3), current->GroupType, itemCounter, std::to_string(itemCounter));
    }
}

std::string ChargeSet::serialise() const
{
    std::string out;
    bool first = true;
    const auto record = [&](const std::string& text) {
        if (!first)
            out += text::recordSeparator;
        out += text;
        first = false;
    };
    for (const ChargeSetGroup& group : m_groups) {
        record(group.GroupName + "\t" + group.GroupType + "\t\t");
        for (const ChargeSetItem& item : group)
            record("\t\t" + item.ItemCode + "\t" + item.ItemDescription);
    }
    return out;
}

ChargeSetGroup* ChargeSet::group(int position)
{
    return position >= 1 && position <= count() ? &m_groups[static_cast<std::size_t>(position - 1)] : nullptr;
}

const ChargeSetGroup* ChargeSet::group(int position) const
{
    return position >= 1 && position <= count() ? &m_groups[static_cast<std::size_t>(position - 1)] : nullptr;
}

ChargeSetGroup& ChargeSet::add(ChargeSetGroup group)
{
    m_groups.push_back(std::move(group));
    renumber();
    return m_groups.back();
}

void ChargeSet::remove(int position)
{
    if (position < 1 || position > count())
        return;
    m_groups.erase(m_groups.begin() + (position - 1));
    renumber();
}

void ChargeSet::swap(int first, int second)
{
    if (first < 1 || second < 1 || first > count() || second > count() || first == second)
        return;
    std::swap(m_groups[static_cast<std::size_t>(first - 1)], m_groups[static_cast<std::size_t>(second - 1)]);
    renumber();
}

void ChargeSet::renumber()
{
    for (std::size_t i = 0; i < m_groups.size(); ++i)
        m_groups[i].setNumber(static_cast<std::int16_t>(i + 1));
}

} // namespace corvane
