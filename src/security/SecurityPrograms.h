#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// An entry of the security program list: a module heading (kind "M") or a program of a type.
struct SecurityProgram {
    std::string kind;
    std::string code;
    std::string description;

    bool isModule() const { return kind == "M"; }
};

/// A module heading and the programs listed after it.
struct ProgramModule {
    SecurityProgram heading;
    std::vector<SecurityProgram> programs;
};

/// The catalogue of security programs (SECT), read once per window and shared by the Security Programs page and
/// the copy page's program tree.
class SecurityPrograms {
public:
    /// "|GET|SECT|".
    static std::string readRequest() { return "|GET|SECT|"; }

    /// Keeps the records of exactly three tab-separated fields. False, and nothing loaded, on a failed reply.
    bool load(std::string_view reply);
    bool loaded() const { return m_loaded; }

    const std::vector<SecurityProgram>& entries() const { return m_entries; }
    /// The modules in list order, each with the programs that follow it.
    std::vector<ProgramModule> modules() const;
    /// Programs listed before any module heading: they have no module to hang under.
    std::vector<SecurityProgram> unplaced() const;
    /// The entry with this code in any letter case, or nothing.
    const SecurityProgram* find(std::string_view code) const;

private:
    std::vector<SecurityProgram> m_entries;
    bool m_loaded = false;
};

/// A new security program as the operator entered it (wire text).
struct NewSecurityProgram {
    static constexpr int groupCount = 10;

    std::string code;
    std::string description;
    std::string type;
    bool read = false;
    bool add = false;
    bool modify = false;
    bool remove = false;
    std::array<bool, groupCount> groups {};

    /// "A" every group chosen, "S" some, "N" none.
    char groupMode() const;
    /// Why it cannot be saved, or nothing. Code, description and type are required; code and description may not
    /// hold ":" (the request's field separator) or any separator byte; the code may not exist yet; the type must
    /// be one of validTypes (the codes of code table ST).
    std::optional<std::string> refusal(const SecurityPrograms& existing,
                                       const std::vector<std::string>& validTypes) const;
    /// "|SET|SECP|" and code, description, type, Read, Add, Modify, Delete, group mode and, for some groups,
    /// their numbers separated by ",", all separated by ":".
    std::string saveRequest() const;

    static std::string existsText(std::string_view code);
    static std::string invalidTypeText(std::string_view type);
};

} // namespace corvane
