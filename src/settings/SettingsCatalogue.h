#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace corvane {

/// How a system setting's text is kept once it is read.
enum class ValueKind {
    Flag, ///< true when the number is not 0
    FlagExactlyOne, ///< true only for the text "1"
    Integer, ///< 16-bit
    Long, ///< 32-bit
    Decimal,
    Text,
    TextNumber, ///< text that holds a number (read as one for a choice)
    RawText, ///< handed on as received, never converted
};

/// One key the settings window knows: its kind and what replaces an empty value.
struct SettingKey {
    std::string_view key;
    ValueKind kind;
    std::optional<std::string_view> emptyDefault; ///< replaces an empty value before conversion
    bool unsetWhenEmpty = false; ///< empty (after trimming) means "not set": no choice is selected
    bool keepOnNonNumber = false; ///< a value that is not a number leaves the cached value as it was
};

/// A section of the system tree; path segments are separated by "/".
struct TreeSection {
    std::string_view path;
    std::string_view text; ///< shown followed by one blank
    std::string_view keyField; ///< the node key is "S" TAB keyField
};

/// The page number of the generic choice list and of the generic code lookup.
inline constexpr int choicePage = 3;
inline constexpr int lookupPage = 12;
inline constexpr int coverPage = 4;
inline constexpr int browserPage = 39;

/// One leaf of the system tree, in the order the tree shows them.
struct TreeLeaf {
    std::string_view section; ///< TreeSection::path
    std::string_view text; ///< node text
    std::string_view caption; ///< the caption in the node key (the text unless the catalogue gives both)
    std::string_view name; ///< selects the page and its loader
    std::string_view key; ///< the server's setting key; empty when the page reads its own values
    int page;
    bool developerOnly = false;
};

/// The captions of a choice page; one definition may serve two leaves that edit the same key.
struct ChoiceList {
    std::string_view name;
    std::string_view otherName; ///< the second leaf it serves, or empty
    std::string_view title;
    std::vector<std::string_view> captions; ///< index 0 first; the index is the stored value
    std::string_view note; ///< lines separated by "\n"; empty when there is none
};

/// A code lookup page: the value stored is the code, "^" and the description.
struct LookupLeaf {
    std::string_view name;
    std::string_view title;
    std::string_view lookupType; ///< handed to the code lookup (the part before "|" names its definition)
    std::string_view key;
};

/// One of the window's 39 page positions.
struct PageSlot {
    int number;
    std::string_view frame; ///< empty for the unused positions
    std::string_view saveRoutine; ///< empty when the common Save has nothing to call
    bool reachable; ///< some leaf (or the dispatcher) opens it
};

/// The settings window's catalogue: every key, section, leaf, choice list, lookup and page position, as data.
/// Texts are wire text (Windows-1252).
class SettingsCatalogue {
public:
    static std::span<const SettingKey> keys();
    static std::span<const TreeSection> sections();
    static std::span<const TreeLeaf> leaves();
    static std::span<const ChoiceList> choices();
    static std::span<const LookupLeaf> lookups();
    static std::span<const PageSlot> pages();

    static const SettingKey* findKey(std::string_view key);
    static const TreeSection* findSection(std::string_view path);
    /// The leaf of that name (names are unique).
    static const TreeLeaf* findLeaf(std::string_view name);
    /// The choice list that serves the leaf name.
    static const ChoiceList* choiceFor(std::string_view name);
    static const LookupLeaf* lookupFor(std::string_view name);
    /// The position numbered 1 to 39; nullptr outside.
    static const PageSlot* page(int number);
};

} // namespace corvane
