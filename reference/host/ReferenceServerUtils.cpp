#include "ReferenceServerUtils.h"

#include "Text.h"

namespace corvane::reference {

ReferenceServerUtils::ReferenceServerUtils(std::shared_ptr<ReferenceCodeTables> tables)
    : m_tables(std::move(tables))
{
}

void ReferenceServerUtils::ValidateCode(const std::string& lookupName, const std::string& code, const std::string&,
                                        CodeVerdict& verdict)
{
    verdict = {"NOT VALID", {}};
    const std::string tableName = lookupName.substr(0, lookupName.find('|'));
    auto table = m_tables->table(tableName);
    const std::string_view wanted = text::trim(code);
    if (!table || wanted.empty())
        return;
    for (const auto& row : table->rows()) {
        if (row.empty() || !text::equalsNoCase(row[0], wanted))
            continue;
        static const std::string noFields;
        const std::string& line = row.size() > 1 ? row[1] : noFields;
        const auto fields = text::split(line, '\t');
        // "FLTY|PRP": a code of another kind is not valid here.
        const std::size_t bar = lookupName.find('|');
        if (bar != std::string::npos && (fields.size() < 3 || fields[2] != lookupName.substr(bar + 1)))
            return;
        verdict.status = "VALID";
        verdict.description = fields.size() > 1 ? std::string(fields[1]) : std::string();
        if (fields.size() > 2)
            verdict.description += "|" + std::string(fields[2]);
        return;
    }
}

} // namespace corvane::reference
