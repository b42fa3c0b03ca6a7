#pragma once

#include "PageModel.h"
#include "SettingsCatalogue.h"

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// Makes the page model of a tree leaf: the generic choice and lookup pages and every page whose values are
/// plain settings (days, minutes, a percentage, a letter, a date, texts, the tab order, the autopost sets, the
/// forms, the credit balance and submission choices).
class SettingsPages {
public:
    /// The page of leaf; nothing for a page with its own widgets (code tables, grids, status, browser...).
    static std::optional<PageModel> forLeaf(const TreeLeaf& leaf);
    /// The same for a leaf found by name; key overrides the leaf's key for the pages that edit "the leaf's KEY".
    static std::optional<PageModel> forLeaf(std::string_view name);

    /// "|GET|POSTSETS|1", the read of the posting charge sets page 35 offers.
    static constexpr std::string_view postSetsRequest = "|GET|POSTSETS|1";
    /// The set names of a POSTSETS reply: one per line; nothing for an error reply.
    static std::optional<std::vector<std::string>> readPostSets(std::string_view reply);
    /// The reminder tabs shown when REMINDERORDER is empty.
    static const std::vector<std::string>& defaultReminderTabs();
};

} // namespace corvane
