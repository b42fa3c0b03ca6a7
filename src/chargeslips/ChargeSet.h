#pragma once

#include "ChargeSetGroup.h"

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// The groups of a charge slip set, in order. Each group's GroupNumber is its position from 1, kept so through
/// additions, deletions and moves, so that numbers never collide.
class ChargeSet {
public:
    /// Reads a set string and adds its groups after those already held: records at byte 230, fields at tabs; a
    /// record whose first field is not empty starts a group (name, type); one whose first field is empty adds an
    /// item (code in field 3, description in field 4) to the group before it. Empty records and items before the
    /// first group are skipped.
    void parse(std::string_view setString);
    /// The set string: group records "name\ttype\t\t", item records "\t\tcode\tdescription", joined by byte 230.
    std::string serialise() const;

    int count() const { return static_cast<int>(m_groups.size()); }
    /// The group at a 1-based position.
    ChargeSetGroup* group(int position);
    const ChargeSetGroup* group(int position) const;
    /// Adds a group at the end and numbers it; returns it.
    ChargeSetGroup& add(ChargeSetGroup group);
    void remove(int position);
    /// Exchanges the groups at two 1-based positions, which swap their numbers.
    void swap(int first, int second);
    void clear() { m_groups.clear(); }

private:
    void renumber();
    std::vector<ChargeSetGroup> m_groups;
};

} // namespace corvane
