#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// One side of a copy: an operator (its code) or a security group (its number).
struct CopyParty {
    bool group = false;
    std::string code;

    /// From a copy page list entry: an operator entry's text before its first blank, a group entry's text after
    /// its last blank ("Security Group 3" gives 3).
    static CopyParty fromEntry(bool group, std::string_view entry);
    /// "U-" and the operator code, or "G-" and the group number, as the copy request names them.
    std::string requestText() const;
    bool operator==(const CopyParty&) const = default;
};

/// The copy (SECC) and distribute (SECGD) requests of the System pages.
class SecurityCopy {
public:
    static constexpr int groupCount = 10;
    static constexpr std::string_view viewOnlyOperator = "VQ";

    /// Copying is allowed operator to operator, group to operator and group to group, never onto the source, onto
    /// the view-only operator VQ or from an operator to a group.
    static bool allowed(const CopyParty& from, const CopyParty& to);
    /// Entity access exists for operators only: it can be copied onto an operator.
    static bool entityAllowed(const CopyParty& to) { return !to.group; }
    /// "|SET|SECC|" from "|" to "|" entity flag "|" program codes separated by ","; nothing when the copy is not
    /// allowed or would copy nothing (no program and no entity access).
    static std::optional<std::string> copyRequest(const CopyParty& from, const CopyParty& to, bool copyEntity,
                                                  const std::vector<std::string>& programs);
    /// "|SET|SECGD|A" for every group, "|SET|SECGD|S|" and the numbers separated by ":" for some; nothing for none
    /// (a distribute of nothing could be read as one of everything).
    static std::optional<std::string> distributeRequest(const std::array<bool, groupCount>& groups);

    /// "Settings copied from " from " to " to "." and a line break, and the log-off advice when the signed-in
    /// operator's own settings changed.
    static std::string copiedText(std::string_view fromShown, std::string_view toShown, bool ownSettings);
    /// "Settings copied", then " from all groups." or ".", and a line break.
    static std::string distributedText(bool allGroups);
};

} // namespace corvane
