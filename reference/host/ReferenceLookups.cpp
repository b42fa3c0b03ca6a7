#include "ReferenceLookups.h"

#include "LookupWindow.h"
#include "Text.h"
#include "WireCodec.h"

namespace corvane::reference {

namespace {

std::string tableNameOf(const LookupSetup& setup)
{
    if (!setup.definitionSecond.empty())
        return setup.definitionSecond;
    return setup.request.substr(0, setup.request.find('|'));
}

/// The kind after the bar of a request such as "FLTY|PRP": only the codes of that kind (third field) are offered.
std::string kindFilterOf(const LookupSetup& setup)
{
    const std::size_t bar = setup.request.find('|');
    return bar == std::string::npos ? std::string() : setup.request.substr(bar + 1);
}

} // namespace

ReferenceLookups::ReferenceLookups(std::shared_ptr<ReferenceCodeTables> tables)
    : runWindow([](LookupWindow& window) { return window.exec(); })
    , m_tables(std::move(tables))
{
}

void ReferenceLookups::SetUp(const LookupSetup& setup)
{
    m_setup = setup;
}

std::string ReferenceLookups::Lookup(const LookupCall& call)
{
    m_chosenNumber = 0;
    m_chosenDescription.clear();
    auto table = m_tables->table(tableNameOf(m_setup));
    if (!table)
        return "CANCEL";
    std::vector<LookupWindow::Entry> entries;
    for (const auto& row : table->rows()) {
        static const std::string noFields;
        const std::string& line = row.size() > 1 ? row[1] : noFields;
        const auto fields = text::split(line, '\t');
        if (const std::string kind = kindFilterOf(m_setup); !kind.empty() && (fields.size() < 3 || fields[2] != kind))
            continue;
        entries.push_back(
            {row.empty() ? std::string() : row[0], fields.size() > 1 ? std::string(fields[1]) : std::string()});
    }
    const QString caption
        = WireCodec::toQString(m_setup.definitionFirst.empty() ? tableNameOf(m_setup) : m_setup.definitionFirst);
    LookupWindow window(caption, entries, call.parent);
    window.setSearchText(WireCodec::toQString(call.searchText));
    if (runWindow(window) != QDialog::Accepted || window.chosenIndex() < 0)
        return "CANCEL";
    const auto& chosen = entries[static_cast<std::size_t>(window.chosenIndex())];
    m_chosenNumber = static_cast<std::int16_t>(window.chosenIndex() + 1);
    m_chosenDescription = chosen.description;
    return chosen.code + m_setup.separator + chosen.description;
}

std::string ReferenceLookups::CheckCode(const std::string& lookupName, const std::string& code, long, long)
{
    auto table = m_tables->table(lookupName);
    if (!table)
        return {};
    for (const auto& row : table->rows()) {
        if (!row.empty() && text::equalsNoCase(row[0], code))
            return row[0];
    }
    return {};
}

} // namespace corvane::reference
