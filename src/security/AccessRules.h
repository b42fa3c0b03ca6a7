#pragma once

#include <array>
#include <optional>
#include <vector>

namespace corvane {

/// The four access columns of a Module Access row (grid columns 3 to 6), counted 0 to 3 here. Column 0 is the
/// row's gate: the other three only count while it is on.
inline constexpr int accessColumnCount = 4;

struct AccessCell {
    bool on = false;
    bool locked = false; ///< the server fixed this cell: it never changes value
    bool enabled = false; ///< the operator may click it now

    bool operator==(const AccessCell&) const = default;
};
using AccessCells = std::array<AccessCell, accessColumnCount>;

/// What a module header cell stands for: none, some or all of the program cells it controls are on.
enum class HeaderState { None, Some, All };
using HeaderStates = std::array<HeaderState, accessColumnCount>;

/// The group rules a click runs, by the numbers the module rules have always been known by.
enum class AccessMode {
    HeaderColumnOn = 2,
    HeaderColumnOff = 3,
    HeaderGateOn = 4,
    HeaderGateOff = 5,
    ProgramGateOn = 6,
    ProgramGateOff = 7,
};

/// One module of the Module Access grid: its header row, when it has one, and its program rows.
struct ModuleCells {
    bool hasHeader = false;
    AccessCells header;
    std::vector<AccessCells> programs;

    bool operator==(const ModuleCells&) const = default;
};

/// The module rules as functions over values, locks and enabled states. Every state the window shows comes from
/// settle(), after loading and after every click alike, so a reload always shows what the operator left.
///
/// - A program's gate is enabled when it is not locked; its columns 1 to 3 exactly when, besides, its gate is on.
/// - A closed program has columns 1 to 3 off (locked cells keep their value).
/// - A header cell shows none / some / all of the cells it controls: column 0 the unlocked program gates,
///   columns 1 to 3 the unlocked cells of open programs. It is on unless none, and enabled while it controls a cell,
///   so the header gate stays enabled after it was switched off.
/// Nothing is enabled without the right to edit.
class AccessRules {
public:
    /// The rule a click runs; none for columns 1 to 3 of a program row.
    static std::optional<AccessMode> modeFor(bool headerRow, int column, bool newValue);
    /// Changes values as mode asks (column: 1 to 3 for modes 2 and 3, the program index for modes 6 and 7).
    static void apply(ModuleCells& module, AccessMode mode, int columnOrProgram);
    /// Closes what a closed gate holds, then derives the header cells and every enabled state. Returns what each
    /// header cell shows (headerState of every column).
    static HeaderStates settle(ModuleCells& module, bool mayEdit);
    static HeaderState headerState(const ModuleCells& module, int column);
    /// A click on a cell (program -1 is the header row): a program cell toggles, a header cell switches its
    /// programs off when all are on and on otherwise; then the rule runs and the module settles. False, and
    /// nothing changed, when the cell is not enabled.
    static bool click(ModuleCells& module, int program, int column, bool mayEdit);
};

} // namespace corvane
