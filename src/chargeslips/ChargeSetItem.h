#pragma once

#include <cstdint>
#include <string>

namespace corvane {

/// One code of a charge slip group.
struct ChargeSetItem {
    std::string ItemCode;
    std::string ItemDescription;
    std::int16_t ItemNumber = 0; ///< position within the group, from 1
    std::string ItemType; ///< the group's type, "D" or "P"
};

} // namespace corvane
