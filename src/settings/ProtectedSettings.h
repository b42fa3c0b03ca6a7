#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// The protected settings list: identifiers (a leaf's KEY, or its name when it has none) separated by ";".
/// Identifiers compare exactly, letter case included.
class ProtectedSettings {
public:
    static bool contains(std::string_view list, std::string_view id);
    /// The list with id appended (id alone when the list is empty); unchanged when id is already there.
    static std::string add(std::string_view list, std::string_view id);
    /// The list without the first element equal to id, empty elements dropped; found tells whether it was there.
    static std::string remove(std::string_view list, std::string_view id, bool& found);
    /// The identifier of a node key: field 4, or field 3 when the key has three fields; nothing for a root or a
    /// section (fewer than three fields), which count as protected.
    static std::optional<std::string> identifierOf(std::string_view nodeKey);
    /// Whether the node is protected by list: a root or section is; an empty identifier or list is not.
    static bool isProtected(std::string_view list, std::string_view nodeKey);
};

/// What the one gate in front of every write decides.
struct WriteVerdict {
    bool mayWrite = false; ///< the page's writing controls are enabled
    bool confirm = false; ///< a protected setting in developer mode: ask before each write
    std::string reason; ///< shown on the page when the operator cannot write
};

/// The gate every action that writes goes through: the change right on PRGL, and either a setting that is not
/// protected or developer mode (with a confirmation).
WriteVerdict writeGate(bool changeRight, bool isProtected, bool developerMode);

} // namespace corvane
