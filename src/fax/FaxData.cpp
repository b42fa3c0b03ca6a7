#include "FaxData.h"

#include "SeparatorCheck.h"

#include <array>
#include <utility>

namespace corvane {

std::optional<std::string> FaxData::build(std::string& refusal) const
{
    refusal.clear();
    const std::array<std::pair<const char*, const std::string*>, fieldCount> fields {{
        {"From", &sender},
        {"Phone", &phone},
        {"Subject", &subject},
        {"To", &recipientId},
        {"Fax", &fax},
        {"Company", &company},
        {"Email", &email},
        {"Method", &method},
        {"", nullptr},
        {"", nullptr},
        {"", nullptr},
        {"Priority", &priority},
        {"Password", &password},
        {"To", &recipientId},
    }};
    std::string data;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto& [name, value] = fields[i];
        if (i > 0)
            data += separator;
        if (!value)
            continue;
        if (const auto refused = SeparatorCheck::firstRefused(*value, std::string_view(&separator, 1))) {
            refusal = SeparatorCheck::refusalText(name, *refused);
            return std::nullopt;
        }
        data += *value;
    }
    return data;
}

} // namespace corvane
