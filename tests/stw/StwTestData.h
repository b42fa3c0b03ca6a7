#pragma once

#include <string>
#include <vector>

namespace corvane::test {

/// A small STW data string: a header of seven columns, the given data rows and the new-entry row.
/// Columns: 1 Active (check), 2 Code (required, unique), 3 Date, 4 Diagnosis (lookup DG), 5 Description,
/// 6 Amount, 7 Place (drop-down over the list "Office,Home").
inline std::string stwHeader()
{
    return std::string("\tActive04WZ105\tCode01WZ008YY^^^\tDate02WZ009\tDiagnosis05WZ009NN^DG^^\tDescription01kZ020"
                       "\tAmount08WZ208\tPlace03WZ009NN^^^Office,Home")
        + static_cast<char>(230);
}

inline std::string stwRow(int number, const std::string& code, const std::string& date = "01/02/2020",
                          const std::string& diagnosis = "E11.9", const std::string& amount = "12.5",
                          const std::string& active = "1")
{
    return std::to_string(number) + "\t" + active + "04WZ1\t" + code + "01WZ0\t" + date + "02WZ0\t" + diagnosis
        + "05WZ0\tDiabetes01kZ0\t" + amount + "08WZ2\t1Office03WZ0" + static_cast<char>(230);
}

inline std::string stwNewEntryRow()
{
    return std::string("\t004WZ1\t01WZ0\t02WZ0\t05WZ0\t01kZ0\t08WZ2\t03WZ0") + static_cast<char>(230);
}

inline std::string stwData(const std::vector<std::string>& rows)
{
    std::string data = stwHeader();
    for (const auto& row : rows)
        data += row;
    return data + stwNewEntryRow();
}

} // namespace corvane::test
