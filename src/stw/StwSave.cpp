#include "StwSave.h"

#include "Text.h"

namespace corvane {

void StwSave::appendCellText(std::string& out, const StwTable& table, int row, int col)
{
    std::string_view value = text::trim(table.text(row, col));
    if (table.column(col).hasList() && !value.empty())
        value.remove_prefix(1);
    const char kind = table.format(row, col).kind;
    if (kind == 'A') {
        for (char c : value) {
            if (c != ',' && c != '(' && c != ')')
                out += c;
        }
        return;
    }
    if (kind == 'C') {
        for (char c : value)
            out += c == ':' ? text::colonStandIn : c;
        return;
    }
    out += value;
}

std::string StwSave::saveText(const StwTable& table)
{
    std::string out;
    out.reserve(table.textBytes());
    const int lastRow = table.hasNewEntryRow() ? table.rowCount() - 2 : table.rowCount() - 1;
    int number = 0;
    for (int row = 1; row <= lastRow; ++row) {
        if (table.rowIsEmpty(row))
            continue;
        out += std::to_string(++number);
        for (int col = 2; col < table.columnCount(); ++col) {
            out += '\t';
            appendCellText(out, table, row, col);
        }
        out += text::recordSeparator;
    }
    return out;
}

std::string StwSave::singleRequest(const std::string& saveText)
{
    return "|SET|STW|1|" + saveText;
}

std::vector<std::string> StwSave::pieceRequests(const std::vector<std::string>& pieces)
{
    std::vector<std::string> requests;
    requests.reserve(pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i)
        requests.push_back("|SET|STW|" + std::to_string(i + 1) + "|" + pieces[i]);
    return requests;
}

} // namespace corvane
