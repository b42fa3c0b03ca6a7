#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// Which patient documents the Workflow menu offers (WRKFLWIMAGE, and WRKFLWIMAGE2 for the alternate option):
/// "types:flags:days". Types are document type codes separated by "," ("*" for every type); flags are letters,
/// O for other documents without a type, C for custom forms, P for patient portal forms; days is how far back
/// documents are offered ("*" for all). "*:*" (no flags) is every typed document of any date. Letters and fields
/// this page does not know are kept.
struct WorkflowImages {
    bool allTypes = true;
    std::vector<std::string> types;
    std::string flags;
    std::vector<std::string> moreFields; ///< fields between the flags and the days, kept as they came
    std::optional<int> days; ///< nothing for every date
    std::string unreadDays; ///< a days field that is neither "*" nor a number, kept until days are chosen

    static constexpr int maxDays = 9999;

    static WorkflowImages parse(std::string_view value);
    std::string text() const;

    bool hasFlag(char letter) const;
    void setFlag(char letter, bool on);
    /// Why the value cannot be stored, or nothing.
    std::optional<std::string> refusal() const;
};

} // namespace corvane
