#pragma once

#include "SettingsCatalogue.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// One item the server adds to the tree (a page the server shows in the browser page).
struct ServerItem {
    std::string section; ///< the section it belongs to, compared after trimming
    std::string caption;
    std::string handle; ///< names the server's page ("|SET|WEB|" handle "|")
};

/// One node of the settings tree, in the order it is added; parent is an index into the same list (-1: top).
struct TreeNode {
    std::string key; ///< fields separated by TAB
    std::string text;
    std::string image; ///< "Closed" for roots and sections, "Leaf" for leaves
    std::string tag; ///< "System" and "By User" on the roots
    std::string toolTip; ///< a leaf's key and name
    int parent = -1;
    const TreeLeaf* leaf = nullptr; ///< the catalogue leaf, for system leaves
};

/// A node key read back: type ("S" or "U"), caption, name and KEY; fields counts the TAB-separated fields.
struct NodeKey {
    std::string type;
    std::string caption;
    std::string name;
    std::string key;
    std::size_t fields = 0;

    static NodeKey parse(std::string_view nodeKey);
    /// A root or a section: fewer than three fields.
    bool isBranch() const { return fields < 3; }
};

/// The settings tree as data: the system root, its sections and leaves in the catalogue's order, the server's
/// items, and the operator root with one leaf per operator.
class SettingsTree {
public:
    static constexpr std::string_view browserItemName = "browser_item";
    static constexpr std::string_view serverItemsRequest = "|GET|FUNC|GETLIST^TKSETUTILS3|";
    static constexpr std::string_view serverItemsFallback = "|GET|FUNC|GETLIST^TKSETTINGS1|";

    /// Developer-only leaves and the server's "admin" items are left out unless developerMode.
    /// operatorRows are the OP code table rows as {code, fields} (the fields TAB-separated, the name second).
    static std::vector<TreeNode> build(bool developerMode,
                                       const std::vector<std::pair<std::string, std::string>>& operatorRows,
                                       const std::vector<ServerItem>& serverItems = {});

    /// The key of a system leaf: "S" TAB caption TAB name, then TAB KEY when it has one.
    static std::string leafKey(const TreeLeaf& leaf);
    /// The key of a section: "S" TAB its key field.
    static std::string sectionKey(const TreeSection& section);
    /// An operator leaf's text: the code, then the name three blanks later when the code is longer than four
    /// characters, else at a fixed column.
    static std::string operatorText(std::string_view code, std::string_view name);
    /// The operator's name: the second TAB-separated field of the OP row's fields (the whole text without a TAB).
    static std::string operatorName(std::string_view fields);

    /// The server's items from a FUNC reply: items separated by byte 230, fields "section TAB caption TAB
    /// handle". Nothing for an empty reply or any reply beginning with "ERROR" (any letter case), so that the
    /// window can ask the fallback list.
    static std::optional<std::vector<ServerItem>> readServerItems(std::string_view reply);
};

} // namespace corvane
