#include "AccessRules.h"

namespace corvane {

namespace {

void setUnlocked(AccessCell& cell, bool on)
{
    if (!cell.locked)
        cell.on = on;
}

bool validProgram(const ModuleCells& module, int program)
{
    return program >= 0 && static_cast<std::size_t>(program) < module.programs.size();
}

bool validColumn(int column)
{
    return column >= 0 && column < accessColumnCount;
}

// The program cells a header cell controls: unlocked gates for column 0, unlocked cells of open programs otherwise.
bool controlled(const AccessCells& program, int column)
{
    if (program[column].locked)
        return false;
    return column == 0 || program[0].on;
}

} // namespace

std::optional<AccessMode> AccessRules::modeFor(bool headerRow, int column, bool newValue)
{
    if (!validColumn(column))
        return std::nullopt;
    if (headerRow) {
        if (column == 0)
            return newValue ? AccessMode::HeaderGateOn : AccessMode::HeaderGateOff;
        return newValue ? AccessMode::HeaderColumnOn : AccessMode::HeaderColumnOff;
    }
    if (column == 0)
        return newValue ? AccessMode::ProgramGateOn : AccessMode::ProgramGateOff;
    return std::nullopt;
}

void AccessRules::apply(ModuleCells& module, AccessMode mode, int columnOrProgram)
{
    switch (mode) {
    case AccessMode::HeaderGateOn:
    case AccessMode::HeaderGateOff:
        for (auto& program : module.programs) {
            for (auto& cell : program)
                setUnlocked(cell, mode == AccessMode::HeaderGateOn);
        }
        break;
    case AccessMode::HeaderColumnOn:
    case AccessMode::HeaderColumnOff:
        if (columnOrProgram < 1 || columnOrProgram >= accessColumnCount)
            return;
        for (auto& program : module.programs)
            setUnlocked(program[columnOrProgram], mode == AccessMode::HeaderColumnOn && program[0].on);
        break;
    case AccessMode::ProgramGateOn:
        // A re-opened program starts with nothing beyond the gate: closing it switched the rest off.
        break;
    case AccessMode::ProgramGateOff:
        if (!validProgram(module, columnOrProgram))
            return;
        for (int c = 1; c < accessColumnCount; ++c)
            setUnlocked(module.programs[static_cast<std::size_t>(columnOrProgram)][c], false);
        break;
    }
}

HeaderState AccessRules::headerState(const ModuleCells& module, int column)
{
    if (!validColumn(column))
        return HeaderState::None;
    std::size_t total = 0;
    std::size_t on = 0;
    for (const auto& program : module.programs) {
        if (!controlled(program, column))
            continue;
        ++total;
        if (program[column].on)
            ++on;
    }
    if (on == 0)
        return HeaderState::None;
    return on == total ? HeaderState::All : HeaderState::Some;
}

HeaderStates AccessRules::settle(ModuleCells& module, bool mayEdit)
{
    // One pass: close what closed gates hold, set the program cells' enabled states and count, per column, the
    // cells the header controls and how many of them are on.
    std::array<std::size_t, accessColumnCount> controls {};
    std::array<std::size_t, accessColumnCount> on {};
    for (auto& program : module.programs) {
        const bool open = program[0].on;
        for (int c = 0; c < accessColumnCount; ++c) {
            AccessCell& cell = program[c];
            if (c > 0 && !open)
                setUnlocked(cell, false);
            cell.enabled = mayEdit && !cell.locked && (c == 0 || open);
            if (controlled(program, c)) {
                ++controls[c];
                on[c] += cell.on ? 1 : 0;
            }
        }
    }
    HeaderStates states {};
    for (int c = 0; c < accessColumnCount; ++c)
        states[c] = on[c] == 0 ? HeaderState::None : on[c] == controls[c] ? HeaderState::All : HeaderState::Some;
    if (!module.hasHeader) {
        module.header = {};
        return states;
    }
    for (int c = 0; c < accessColumnCount; ++c) {
        module.header[c].on = on[c] != 0;
        module.header[c].enabled = mayEdit && !module.header[c].locked && controls[c] != 0;
    }
    return states;
}

bool AccessRules::click(ModuleCells& module, int program, int column, bool mayEdit)
{
    if (!validColumn(column))
        return false;
    const bool headerRow = program < 0;
    if (headerRow && !module.hasHeader)
        return false;
    if (!headerRow && !validProgram(module, program))
        return false;
    AccessCell& cell = headerRow ? module.header[column] : module.programs[static_cast<std::size_t>(program)][column];
    if (!cell.enabled || !mayEdit)
        return false;
    const bool newValue = headerRow ? headerState(module, column) != HeaderState::All : !cell.on;
    cell.on = newValue;
    if (const auto mode = modeFor(headerRow, column, newValue))
        apply(module, *mode, headerRow ? column : program);
    settle(module, mayEdit);
    return true;
}

} // namespace corvane
