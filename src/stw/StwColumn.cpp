#include "StwColumn.h"

namespace corvane {

StwColumn StwColumn::parse(std::string_view cell)
{
    StwColumn column;
    std::string_view base = cell;
    const std::size_t caret = cell.find('^');
    if (caret != std::string_view::npos && caret >= 2) {
        base = cell.substr(0, caret - 2);
        column.required = cell[caret - 2] == 'Y';
        column.unique = cell[caret - 1] == 'Y';
        std::string_view rest = cell.substr(caret + 1);
        const std::size_t second = rest.find('^');
        column.lookupName = std::string(rest.substr(0, second));
        if (second != std::string_view::npos) {
            rest = rest.substr(second + 1);
            const std::size_t third = rest.find('^');
            column.thirdAttribute = std::string(rest.substr(0, third));
            if (third != std::string_view::npos)
                column.listAttribute = std::string(rest.substr(third + 1));
        }
    }
    if (base.size() < StwCellFormat::length + 2) {
        column.caption = std::string(base);
        column.format = StwCellFormat::of("00kZ1");
        return column;
    }
    const std::string_view width = base.substr(base.size() - 2);
    if (width[0] >= '0' && width[0] <= '9' && width[1] >= '0' && width[1] <= '9')
        column.width = (width[0] - '0') * 10 + (width[1] - '0');
    const std::string_view withCode = base.substr(0, base.size() - 2);
    column.format = StwCellFormat::of(withCode);
    column.caption = std::string(StwCellFormat::textOf(withCode));
    return column;
}

std::string StwColumn::captionWithCode() const
{
    return caption + format.code();
}

} // namespace corvane
