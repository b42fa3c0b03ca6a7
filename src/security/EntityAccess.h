#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct EntityEntry {
    bool allowed = false;
    std::string code;
    std::string description;
};

/// The entities (practices, locations) an operator may open (OPENT), in the server's order.
class EntityAccess {
public:
    /// "|GET|OPENT|" followed directly by the operator code.
    static std::string readRequest(std::string_view operatorCode);

    /// Reads records "flag, code, description" (an empty flag is "0"). False, and nothing loaded, on a failed reply.
    bool load(std::string_view reply);

    std::vector<EntityEntry>& entries() { return m_entries; }
    const std::vector<EntityEntry>& entries() const { return m_entries; }
    void allowAll(bool allowed);

    /// One record per entry in list order: "1" or "0", tab, entity code; separated by byte 230, none after the last.
    std::string saveData() const;
    /// "|SET|OPENT|" code "|" and the save data.
    std::string saveRequest(std::string_view operatorCode) const;

private:
    std::vector<EntityEntry> m_entries;
};

} // namespace corvane
