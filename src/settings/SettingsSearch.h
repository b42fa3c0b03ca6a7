#pragma once

#include "SettingsCatalogue.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// One thing the find box can reach: a leaf of the tree with what its page says.
struct SearchEntry {
    std::string nodeKey; ///< the tree node it opens
    std::string path; ///< "Posting / Charges / Navigation", shown with the result
    const TreeLeaf* leaf = nullptr; ///< nullptr for operators and server items
};

/// Where stepping through the matches lands.
struct SearchStep {
    std::size_t entry = 0;
    bool wrapped = false; ///< the search went past the last match and started again from the top
};

/// Finds settings by what their pages say: node text, path, page title and header, choice captions, note, field
/// labels, key and name. Letter case never matters; every word of the query must occur in the entry.
class SettingsSearch {
public:
    /// The catalogue's leaves (developer-only ones only in developer mode).
    explicit SettingsSearch(bool developerMode = false);

    /// Adds an entry that is not in the catalogue (an operator, a server item); words are what it can be found by.
    void add(std::string nodeKey, std::string path, std::string_view words);

    /// The entries matching query, in tree order; empty for a query without words.
    std::vector<std::size_t> find(std::string_view query) const;
    /// The first match after current (or the first match when there is no current one); wraps to the first
    /// match when none follows. Nothing when matches is empty.
    static std::optional<SearchStep> next(const std::vector<std::size_t>& matches, std::optional<std::size_t> current);

    std::size_t size() const { return m_entries.size(); }
    const SearchEntry& entry(std::size_t index) const { return m_entries.at(index); }
    /// The entry that opens nodeKey.
    std::optional<std::size_t> entryFor(std::string_view nodeKey) const;

    /// All entries' words, lower-cased, one entry after another separated by "\n" (what find scans).
    const std::string& text() const { return m_text; }

private:
    void append(SearchEntry entry, std::string_view words);

    std::vector<SearchEntry> m_entries;
    std::string m_text;
    std::vector<std::size_t> m_starts; ///< where each entry's words begin in m_text
};

} // namespace corvane
