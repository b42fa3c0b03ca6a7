// Checks that start from what an operator typed: the rules judge the typed characters, never a "?" stand-in.
#include "CommonRoutines.h"
#include "CorvaneGrid.h"
#include "HostFixture.h"
#include "WidgetRoutines.h"

#include <QLineEdit>

#include <gtest/gtest.h>

namespace corvane {
namespace {

class TypedInputTest : public test::HostFixture { };

TEST_F(TypedInputTest, LookupCodeFromTypedTextRefusesWhatTheWireCannotCarryInItsOwnWords)
{
    EXPECT_TRUE(LookupCodeIsValid(QStringLiteral("AB 12"), false));
    EXPECT_TRUE(LookupCodeIsValid(QString(), false));
    EXPECT_TRUE(utils->messages.empty());

    // "ł" has no Windows-1252 byte: judged as typed it is refused by name, not passed on as "L?".
    EXPECT_FALSE(LookupCodeIsValid(QStringLiteral("L\u0142"), false));
    ASSERT_EQ(utils->messages.size(), 1u);
    EXPECT_EQ(utils->messages[0].title, "Invalid Format");
    EXPECT_NE(utils->messages[0].text.find("U+0142"), std::string::npos) << utils->messages[0].text;
    EXPECT_EQ(utils->messages[0].text.find("L?"), std::string::npos) << utils->messages[0].text;

    // Characters the wire holds keep the rule's own messages, the bar first as the rule orders it.
    EXPECT_FALSE(LookupCodeIsValid(QStringLiteral("Caf\u00E9"), false));
    EXPECT_EQ(utils->messages.back().text, "Invalid characters.\r\n\xE9 is illegal in Lookups.");
    EXPECT_FALSE(LookupCodeIsValid(QStringLiteral("\u0142|A"), false));
    EXPECT_EQ(utils->messages.back().text,
              "Invalid characters.\r\nFollowing characters \r\n|\r\n are illegal in Lookups.");

    // A TAB would split the record the code travels in.
    EXPECT_FALSE(LookupCodeIsValid(QStringLiteral("A\tB"), false));
    EXPECT_NE(utils->messages.back().text.find("TAB"), std::string::npos);

    const auto shown = utils->messages.size();
    EXPECT_FALSE(LookupCodeIsValid(QStringLiteral("\u0142"), true));
    EXPECT_EQ(utils->messages.size(), shown) << "quiet shows nothing";
}

TEST_F(TypedInputTest, DateInATextBoxWithACharacterTheWireCannotCarryIsRefusedByName)
{
    QLineEdit edit;
    edit.setText(QStringLiteral("01/02/20\u01420"));
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(DateIsValid(&edit, false, false));
    ASSERT_EQ(prompter->prompts.size(), 1u);
    EXPECT_EQ(prompter->prompts[0].title, "Date Validation");
    EXPECT_EQ(prompter->prompts[0].icon, PromptIcon::Critical);
    EXPECT_NE(prompter->prompts[0].text.find("U+0142"), std::string::npos) << prompter->prompts[0].text;
    EXPECT_EQ(edit.text(), QStringLiteral("01/02/20\u01420")) << "the operator's text stays for correction";

    EXPECT_FALSE(DateIsValid(&edit, false, true));
    EXPECT_EQ(prompter->prompts.size(), 1u) << "quiet shows nothing";
}

TEST_F(TypedInputTest, AHalfFilledMaskedDateIsQuotedWithItsPromptCharacters)
{
    QLineEdit edit;
    edit.setInputMask(QStringLiteral("99/99/9999;_"));
    edit.setText(QStringLiteral("0102"));
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(DateIsValid(&edit, false, false));
    ASSERT_EQ(prompter->prompts.size(), 1u);
    EXPECT_EQ(prompter->prompts[0].text,
              "01/02/____ is not a valid date.\r\nPlease use MM/DD/YYYY or MM/DD/YY format.");

    edit.setText(QStringLiteral("01022020"));
    EXPECT_TRUE(DateIsValid(&edit, false, false));
    EXPECT_EQ(edit.text(), QStringLiteral("01/02/2020"));
}

/// One text cell whose value stands in for the grid's active editor.
class OneCellSource final : public GridStyleSource {
public:
    QString value;
    void GetStyleRowCol(int row, int col, CellStyle& style) override
    {
        if (row == 1 && col == 1)
            style.value = value;
    }
    bool StoreValueRowCol(int, int, const QString&) override { return true; }
    bool OnValidateCell(int, int, QString&) override { return true; }
};

TEST_F(TypedInputTest, DateInTheGridWithACharacterTheWireCannotCarryIsRefusedByName)
{
    OneCellSource source;
    source.value = QStringLiteral("1/2/2\u01420");
    CorvaneGrid grid;
    grid.setStyleSource(&source);
    grid.setColumnCount(1);
    grid.setRowCount(1);
    grid.setCurrentCell(1, 1);
    ASSERT_EQ(grid.activeEditorText(), source.value);
    std::string normalised = "unchanged";
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(DateIsValid(&grid, false, false, normalised));
    ASSERT_EQ(prompter->prompts.size(), 1u);
    EXPECT_EQ(prompter->prompts[0].title, "Date Validation");
    EXPECT_NE(prompter->prompts[0].text.find("U+0142"), std::string::npos) << prompter->prompts[0].text;
    EXPECT_EQ(normalised, "unchanged");

    source.value = QStringLiteral("1/2/20");
    grid.redraw();
    EXPECT_TRUE(DateIsValid(&grid, false, false, normalised));
    EXPECT_EQ(normalised, "01/02/2020");
}

} // namespace
} // namespace corvane
