#include "AccessRules.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace corvane {

void PrintTo(const ModuleCells& module, std::ostream* out)
{
    const auto cells = [&](const AccessCells& row) {
        for (const auto& cell : row)
            *out << (cell.locked ? (cell.on ? 'X' : 'x') : (cell.on ? '1' : '0')) << (cell.enabled ? 'e' : '-');
        *out << ' ';
    };
    *out << (module.hasHeader ? "header " : "no header ");
    cells(module.header);
    *out << "programs ";
    for (const auto& program : module.programs)
        cells(program);
}

namespace {

// A row as four characters: '1' on, '0' off, 'X' locked on, 'x' locked off.
AccessCells row(const std::string& cells)
{
    AccessCells out;
    for (int c = 0; c < accessColumnCount; ++c) {
        const char mark = cells[static_cast<std::size_t>(c)];
        out[c].on = mark == '1' || mark == 'X';
        out[c].locked = mark == 'X' || mark == 'x';
    }
    return out;
}

ModuleCells module(const std::vector<std::string>& programs, bool mayEdit = true)
{
    ModuleCells m;
    m.hasHeader = true;
    for (const auto& p : programs)
        m.programs.push_back(row(p));
    AccessRules::settle(m, mayEdit);
    return m;
}

std::string values(const AccessCells& cells)
{
    std::string out;
    for (const auto& cell : cells)
        out += cell.locked ? (cell.on ? 'X' : 'x') : (cell.on ? '1' : '0');
    return out;
}

std::string enabled(const AccessCells& cells)
{
    std::string out;
    for (const auto& cell : cells)
        out += cell.enabled ? 'e' : '-';
    return out;
}

std::vector<std::string> programValues(const ModuleCells& m)
{
    std::vector<std::string> out;
    for (const auto& p : m.programs)
        out.push_back(values(p));
    return out;
}

using Rows = std::vector<std::string>;

// Gate on; gate off holding a stray column; gate on with locked cells; gate locked off.
const Rows sample = {"1110", "0100", "1X0x", "x010"};

TEST(AccessRules, SettlingClosesClosedProgramsAndDerivesHeadersAndEnabledStates)
{
    const ModuleCells m = module(sample);
    EXPECT_EQ(programValues(m), (Rows {"1110", "0000", "1X0x", "x000"}));
    EXPECT_EQ(enabled(m.programs[0]), "eeee");
    EXPECT_EQ(enabled(m.programs[1]), "e---") << "columns 1 to 3 only while the gate is on";
    EXPECT_EQ(enabled(m.programs[2]), "e-e-") << "locked cells never";
    EXPECT_EQ(enabled(m.programs[3]), "----");

    EXPECT_EQ(AccessRules::headerState(m, 0), HeaderState::Some) << "unlocked gates: two of three on";
    EXPECT_EQ(AccessRules::headerState(m, 1), HeaderState::All) << "the locked cell does not count";
    EXPECT_EQ(AccessRules::headerState(m, 2), HeaderState::Some);
    EXPECT_EQ(AccessRules::headerState(m, 3), HeaderState::None);
    EXPECT_EQ(values(m.header), "1110") << "a header cell is on unless none of its programs is";
    EXPECT_EQ(enabled(m.header), "eeee");

    const ModuleCells readOnly = module(sample, false);
    EXPECT_EQ(enabled(readOnly.header) + enabled(readOnly.programs[0]), "--------");
    ModuleCells copy = readOnly;
    EXPECT_FALSE(AccessRules::click(copy, 0, 0, false));
    EXPECT_EQ(copy, readOnly);
}

struct Click {
    const char* what;
    int program; // -1: the header row
    int column;
    Rows expected;
};

TEST(AccessRules, EachClickRunsItsRuleAndLockedCellsNeverChange)
{
    const Click clicks[] = {
        {"header column on (mode 2): open programs get it, closed ones keep it off",
         -1,
         2,
         {"1110", "0000", "1X1x", "x000"}},
        {"header column off when all are on (mode 3)", -1, 1, {"1010", "0000", "1X0x", "x000"}},
        {"header gate, some on (mode 4): every unlocked cell on, a locked-closed program stays closed",
         -1,
         0,
         {"1111", "1111", "1X1x", "x000"}},
        {"program gate off (mode 7) closes the program", 0, 0, {"0000", "0000", "1X0x", "x000"}},
        {"program gate on (mode 6) opens with nothing else on", 1, 0, {"1110", "1000", "1X0x", "x000"}},
        {"a program column toggles alone", 2, 2, {"1110", "0000", "1X1x", "x000"}},
    };
    for (const auto& click : clicks) {
        ModuleCells m = module(sample);
        ASSERT_TRUE(AccessRules::click(m, click.program, click.column, true)) << click.what;
        EXPECT_EQ(programValues(m), click.expected) << click.what;
    }

    ModuleCells m = module(sample);
    const ModuleCells before = m;
    EXPECT_FALSE(AccessRules::click(m, 1, 2, true)) << "a closed program's column is not enabled";
    EXPECT_FALSE(AccessRules::click(m, 2, 1, true)) << "a locked cell";
    EXPECT_FALSE(AccessRules::click(m, 7, 0, true));
    EXPECT_FALSE(AccessRules::click(m, 0, 4, true));
    EXPECT_EQ(m, before);
}

TEST(AccessRules, TheHeaderGateCanBeSwitchedOnAgainAfterItWasSwitchedOff)
{
    ModuleCells m = module(sample);
    ASSERT_TRUE(AccessRules::click(m, -1, 0, true)); // some -> all on
    EXPECT_EQ(AccessRules::headerState(m, 0), HeaderState::All);
    ASSERT_TRUE(AccessRules::click(m, -1, 0, true)); // all -> off (mode 5)
    EXPECT_EQ(programValues(m), (Rows {"0000", "0000", "0X0x", "x000"}));
    EXPECT_EQ(enabled(m.header), "e---") << "the gate stays enabled; the columns control nothing while all are closed";
    ASSERT_TRUE(AccessRules::click(m, -1, 0, true)) << "mode 4 follows mode 5";
    EXPECT_EQ(programValues(m), (Rows {"1111", "1111", "1X1x", "x000"}));
}

TEST(AccessRules, AHeaderShowsNoneSomeOrAllAndAClickOnSomeSwitchesAllOn)
{
    ModuleCells m = module({"1100", "1000", "1000"});
    EXPECT_EQ(AccessRules::headerState(m, 1), HeaderState::Some);
    ASSERT_TRUE(AccessRules::click(m, -1, 1, true));
    EXPECT_EQ(AccessRules::headerState(m, 1), HeaderState::All);
    ASSERT_TRUE(AccessRules::click(m, -1, 1, true));
    EXPECT_EQ(AccessRules::headerState(m, 1), HeaderState::None);
    EXPECT_EQ(programValues(m), (Rows {"1000", "1000", "1000"}));

    ModuleCells lockedOnly = module({"X1x0", "x000"});
    EXPECT_EQ(enabled(lockedOnly.header), "-e-e") << "a header cell that controls nothing is not enabled";
}

TEST(AccessRules, ModulesWithoutAHeaderRowStillRunTheProgramRules)
{
    ModuleCells m;
    m.programs = {row("1110")};
    AccessRules::settle(m, true);
    EXPECT_FALSE(AccessRules::click(m, -1, 0, true));
    ASSERT_TRUE(AccessRules::click(m, 0, 0, true));
    EXPECT_EQ(programValues(m), (Rows {"0000"}));
}

// After any sequence of clicks, settling again changes nothing, and what a reload of the same values would show is
// exactly what the operator sees now.
TEST(AccessRules, AnyClickSequenceLeavesTheStateAReloadWouldShow)
{
    std::mt19937 random(20240611);
    for (int round = 0; round < 400; ++round) {
        ModuleCells m;
        m.hasHeader = random() % 5 != 0;
        const int programs = 1 + static_cast<int>(random() % 6);
        for (int p = 0; p < programs; ++p) {
            AccessCells cells;
            for (auto& cell : cells) {
                cell.on = random() % 2 == 0;
                cell.locked = random() % 5 == 0;
            }
            m.programs.push_back(cells);
        }
        const bool mayEdit = random() % 8 != 0;
        AccessRules::settle(m, mayEdit);
        const ModuleCells loaded = m;

        for (int step = 0; step < 30; ++step) {
            const int program = static_cast<int>(random() % static_cast<unsigned>(programs + 1)) - 1;
            const int column = static_cast<int>(random() % 4);
            AccessRules::click(m, program, column, mayEdit);

            ModuleCells again = m;
            AccessRules::settle(again, mayEdit);
            ASSERT_EQ(again, m) << "round " << round << " step " << step;

            ModuleCells reloaded = m;
            for (auto& cell : reloaded.header)
                cell = AccessCell {random() % 2 == 0, false, random() % 2 == 0};
            for (auto& p : reloaded.programs) {
                for (auto& cell : p)
                    cell.enabled = random() % 2 == 0;
            }
            AccessRules::settle(reloaded, mayEdit);
            ASSERT_EQ(reloaded, m) << "round " << round << " step " << step;

            for (std::size_t p = 0; p < m.programs.size(); ++p) {
                const auto& cells = m.programs[p];
                for (int c = 0; c < accessColumnCount; ++c) {
                    if (cells[c].locked) {
                        ASSERT_EQ(cells[c].on, loaded.programs[p][c].on) << "a locked cell changed";
                    }
                    ASSERT_EQ(cells[c].enabled, mayEdit && !cells[c].locked && (c == 0 || cells[0].on));
                }
                if (!cells[0].on) {
                    for (int c = 1; c < accessColumnCount; ++c)
                        ASSERT_TRUE(cells[c].locked || !cells[c].on) << "a closed program holds a right";
                }
            }
            if (!mayEdit) {
                ASSERT_EQ(m, loaded);
            }
        }
    }
}

} // namespace
} // namespace corvane
