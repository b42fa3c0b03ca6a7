#pragma once

#include <string>
#include <string_view>

namespace corvane {

class EntityAccess;
class ModuleAccess;

/// An operator's or group's access list as CSV, for the access reviews a practice keeps on file. Fields are quoted
/// when they hold a comma, a quote or a line break; lines end in CR LF. Text stays wire text.
class AccessExport {
public:
    /// "Module,Program,Description,Access,Add,Modify,Delete" and one line per program row ("Yes"/"No"); a module
    /// header row gives its module and description with empty access fields.
    static std::string moduleAccessCsv(const ModuleAccess& page, std::string_view owner);
    /// "Entity,Description,Allowed" and one line per entity.
    static std::string entityAccessCsv(const EntityAccess& page, std::string_view owner);
    /// field, quoted as CSV needs it.
    static std::string csvField(std::string_view field);
};

} // namespace corvane
