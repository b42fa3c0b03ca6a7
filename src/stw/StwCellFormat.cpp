#include "StwCellFormat.h"

namespace corvane {

StwCellFormat StwCellFormat::of(std::string_view cell)
{
    if (cell.size() < length)
        cell = emptyCell;
    const std::string_view code = cell.substr(cell.size() - length);
    return {code[0], code[1], code[2], code[3], code[4]};
}

std::string_view StwCellFormat::textOf(std::string_view cell)
{
    return cell.size() < length ? cell : cell.substr(0, cell.size() - length);
}

bool StwCellFormat::isKnownKind() const
{
    switch (kind) {
    case '0': case '1': case '2': case '3': case '4': case '5': case '6': case '7': case '8': case '9':
    case 'A': case 'B': case 'C': case 'E':
        return true;
    default:
        return false;
    }
}

} // namespace corvane
