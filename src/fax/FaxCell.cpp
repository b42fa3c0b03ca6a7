#include "FaxCell.h"

namespace corvane {

std::string_view FaxCell::value(std::string_view cell)
{
    return cell.size() > suffixLength ? cell.substr(0, cell.size() - suffixLength) : std::string_view();
}

std::string_view FaxCell::suffix(std::string_view cell)
{
    return cell.size() > suffixLength ? cell.substr(cell.size() - suffixLength) : std::string_view();
}

} // namespace corvane
