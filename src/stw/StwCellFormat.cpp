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
    return std::string_view("0123456789ABCE").find(kind) != std::string_view::npos;
}

} // namespace corvane
