#include "SettingsTree.h"

#include "ReplyFraming.h"
#include "Text.h"

#include <map>

namespace corvane {

namespace {

constexpr std::size_t operatorColumn = 7;

std::string parentPath(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
}

} // namespace

NodeKey NodeKey::parse(std::string_view nodeKey)
{
    const std::vector<std::string_view> fields = text::split(nodeKey, '\t');
    NodeKey key;
    key.fields = fields.size();
    key.type = std::string(fields[0]);
    if (fields.size() > 1)
        key.caption = std::string(fields[1]);
    if (fields.size() > 2)
        key.name = std::string(fields[2]);
    if (fields.size() > 3)
        key.key = std::string(fields[3]);
    return key;
}

std::string SettingsTree::leafKey(const TreeLeaf& leaf)
{
    std::string key = "S\t" + std::string(leaf.caption) + "\t" + std::string(leaf.name);
    if (!leaf.key.empty())
        key += "\t" + std::string(leaf.key);
    return key;
}

std::string SettingsTree::sectionKey(const TreeSection& section)
{
    return "S\t" + std::string(section.keyField);
}

std::string SettingsTree::operatorText(std::string_view code, std::string_view name)
{
    std::string text(code);
    if (code.size() > 4)
        text += "   ";
    else
        text.append(operatorColumn - code.size(), ' ');
    return text + std::string(name);
}

std::string SettingsTree::operatorName(std::string_view fields)
{
    const std::vector<std::string_view> parts = text::split(fields, '\t');
    return std::string(parts.size() > 1 ? parts[1] : parts[0]);
}

std::optional<std::vector<ServerItem>> SettingsTree::readServerItems(std::string_view reply)
{
    const std::string_view trimmed = text::trim(reply);
    if (trimmed.empty() || text::startsWithNoCase(trimmed, "ERROR") || ReplyFraming::isErrorLine(trimmed))
        return std::nullopt;
    std::vector<ServerItem> items;
    for (const std::string_view record : text::split(trimmed, text::recordSeparator)) {
        const std::vector<std::string_view> fields = text::split(record, '\t');
        if (fields.size() < 3 || text::trim(fields[1]).empty() || text::trim(fields[2]).empty())
            continue;
        items.push_back({std::string(text::trim(fields[0])), std::string(text::trim(fields[1])),
                         std::string(text::trim(fields[2]))});
    }
    return items;
}

std::vector<TreeNode> SettingsTree::build(bool developerMode,
                                          const std::vector<std::pair<std::string, std::string>>& operatorRows,
                                          const std::vector<ServerItem>& serverItems)
{
    std::vector<TreeNode> nodes;
    nodes.push_back({"S", "System", "Closed", "System", {}, -1, nullptr});
    std::map<std::string, int> sectionNode;

    const auto openSection = [&](const std::string& path, auto& self) -> int {
        if (path.empty())
            return 0;
        if (const auto found = sectionNode.find(path); found != sectionNode.end())
            return found->second;
        const int parent = self(parentPath(path), self);
        const TreeSection* section = SettingsCatalogue::findSection(path);
        TreeNode node;
        node.key = section ? sectionKey(*section) : "S\t" + path;
        node.text = std::string(section ? section->text : std::string_view(path)) + " ";
        node.image = "Closed";
        node.parent = parent;
        nodes.push_back(std::move(node));
        return sectionNode[path] = static_cast<int>(nodes.size()) - 1;
    };

    for (const TreeLeaf& leaf : SettingsCatalogue::leaves()) {
        if (leaf.developerOnly && !developerMode)
            continue;
        TreeNode node;
        node.key = leafKey(leaf);
        node.text = std::string(leaf.text);
        node.image = "Leaf";
        node.toolTip
            = leaf.key.empty() ? std::string(leaf.name) : std::string(leaf.key) + " (" + std::string(leaf.name) + ")";
        node.parent = openSection(std::string(leaf.section), openSection);
        node.leaf = &leaf;
        nodes.push_back(std::move(node));
    }

    for (const ServerItem& item : serverItems) {
        if (text::equalsNoCase(item.section, "admin") && !developerMode)
            continue;
        int parent = -1;
        for (const TreeSection& section : SettingsCatalogue::sections()) {
            if (parent < 0 && text::trim(item.section) == section.text)
                parent = openSection(std::string(section.path), openSection);
        }
        if (parent < 0)
            parent = openSection("Other", openSection);
        TreeNode node;
        node.key = "S\t" + item.caption + "\t" + std::string(browserItemName) + "\t" + item.handle;
        node.text = item.caption;
        node.image = "Leaf";
        node.toolTip = item.handle;
        node.parent = parent;
        nodes.push_back(std::move(node));
    }

    nodes.push_back({"U", "By Operator", "Closed", "By User", {}, -1, nullptr});
    const int operatorRoot = static_cast<int>(nodes.size()) - 1;
    for (const auto& [code, fields] : operatorRows) {
        if (code.empty())
            continue;
        TreeNode node;
        node.key = "U\t" + code + "\tusername";
        node.text = operatorText(code, operatorName(fields));
        node.image = "Leaf";
        node.parent = operatorRoot;
        nodes.push_back(std::move(node));
    }
    return nodes;
}

} // namespace corvane
