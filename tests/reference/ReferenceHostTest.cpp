#include "ReferenceHost.h"

#include "CommonRoutines.h"
#include "CorvaneDialogsMgr.h"
#include "LookupWindow.h"
#include "ReferenceHostFixture.h"
#include "ServerSettings.h"
#include "SharedState.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace corvane::reference {
namespace {

class ReferenceHostTest : public test::ReferenceHostFixture {
protected:
    void SetUp() override { startHost(); }
    void prepareHost(ReferenceHost& fresh) override { fresh.utils->setToday(CivilDate {2026, 12, 5}); }
    QString log() const
    {
        QFile file(QString::fromStdString(dir.file("corvane.log")));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

TEST_F(ReferenceHostTest, SettingsAndPreferencesTravelThroughTheLibraryToSqliteAndBack)
{
    EXPECT_EQ(GetSysSetting("PRACTICENAME"), "Riverside Medical Group");
    auto prefs = std::make_shared<ReferencePreferences>(GetUserSettings("JSMITH"));
    prefs->setValue("CLOSEAFTERPOST", "Y");
    bool startEmpty = false;
    ASSERT_TRUE(SetUserSettings(*prefs, "jsmith", startEmpty));

    signIn("JSMITH");
    EXPECT_EQ(SharedState::instance().preferences->value("CLOSEAFTERPOST"), "Y");
    EXPECT_TRUE(SharedState::instance().displaySettings->closeAfterPost());
    EXPECT_EQ(SharedState::instance().display.lookupSeparator, " ~");
}

TEST_F(ReferenceHostTest, RightsComeFromTheSignedInOperatorsGroup)
{
    std::shared_ptr<RightsList> rights;
    host->utils->GetRightsList(rights);
    ASSERT_TRUE(rights->entry("STW"));
    EXPECT_TRUE(rights->entry("STW")->mayDelete);
    signIn("LGARCIA");
    host->utils->GetRightsList(rights);
    ASSERT_TRUE(rights->entry("STW"));
    EXPECT_FALSE(rights->entry("STW")->mayChange);
    EXPECT_TRUE(rights->entry("STW")->mayOpen);
    EXPECT_FALSE(rights->entry("NOPROGRAM"));
}

TEST_F(ReferenceHostTest, EntityMixAndCodeValidationUseTheSeededTables)
{
    EXPECT_EQ(TypeOfEntitiesInSystem(), "M");
    CodeVerdict verdict;
    host->serverUtils->ValidateCode("DG", "e11.9", "", verdict);
    EXPECT_EQ(verdict.status, "VALID");
    EXPECT_EQ(verdict.description, "Type 2 diabetes mellitus without complications");
    host->serverUtils->ValidateCode("PM", "PM10", "", verdict);
    EXPECT_EQ(verdict.description, "Left voicemail about balance|P") << "message type after a bar";
    host->serverUtils->ValidateCode("DG", "XYZ", "", verdict);
    EXPECT_EQ(verdict.status, "NOT VALID");
}

TEST_F(ReferenceHostTest, AFailingServerLinkNeverThrowsAndLeavesTheLogLine)
{
    host->link->failCall(1);
    EXPECT_EQ(GetSysSetting("PRACTICENAME"), "");
    EXPECT_TRUE(log().contains(QStringLiteral("CorvaneDialogs: Failed to get |GET|SYS|PRACTICENAME|")));
    EXPECT_EQ(prompter->beeps, 1);

    host->link->setThrows(true);
    host->link->failCall(1);
    bool startEmpty = false;
    EXPECT_FALSE(SetUserSettings(ReferencePreferences("A=1"), "JSMITH", startEmpty));
    EXPECT_TRUE(log().contains(
        QStringLiteral("ERR in CorvaneDialogs.Main.SetUserSettings  connection to the practice server lost")));

    host->link->setThrows(false);
    host->link->answerWithError(1, "|ERROR|Preferences|Server busy");
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(SetUserSettings(ReferencePreferences("A=1"), "JSMITH", startEmpty));
    EXPECT_EQ(prompter->prompts.back().text, "Server busy");
    EXPECT_EQ(GetSysSetting("DAYSOUT"), "30") << "the link works again afterwards";
}

TEST_F(ReferenceHostTest, GeneralLookupThroughTheLookupWindow)
{
    host->lookups->runWindow = [](LookupWindow& window) {
        auto* search = window.findChild<QLineEdit*>(QStringLiteral("txtSearch"));
        EXPECT_EQ(search->text(), QStringLiteral("I10"));
        search->setText(QStringLiteral("hypertension"));
        return window.chosenIndex() >= 0 ? QDialog::Accepted : QDialog::Rejected;
    };
    LookupCall call;
    call.searchText = "I10";
    call.insertNumber = true;
    EXPECT_EQ(GeneralLookup("DG", call), "I10|3 ~Essential (primary) hypertension");

    host->lookups->runWindow = [](LookupWindow&) {
        return QDialog::Rejected;
    };
    EXPECT_EQ(GeneralLookup("DG", call), "CANCEL");
}

TEST_F(ReferenceHostTest, LookupWindowFiltersAndPicksFromTheKeyboard)
{
    LookupWindow window(QStringLiteral("Lists"), {{"L30", "Self-pay 30"}, {"L60", "Self-pay 60"}, {"LINS", "Denials"}});
    window.show();
    auto* search = window.findChild<QLineEdit*>(QStringLiteral("txtSearch"));
    QTest::keyClicks(search, QStringLiteral("self"));
    EXPECT_EQ(window.chosenIndex(), 0);
    QTest::keyClick(search, Qt::Key_Down);
    EXPECT_EQ(window.chosenIndex(), 1);
    search->setText(QStringLiteral("zzz"));
    EXPECT_EQ(window.chosenIndex(), -1);
    QTest::keyClick(search, Qt::Key_Escape);
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ReferenceHostTest, UtilitiesCutListsValidateAndColour)
{
    ReferenceUtils& utils = *host->utils;
    std::vector<std::string> pieces;
    bool done = false;
    utils.SplitByLength(std::string(20001, 'x'), pieces, 9000, false, done);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[2].size(), 2001u);
    QComboBox combo;
    utils.FillList(&combo, "All|Selected", "|");
    EXPECT_EQ(combo.count(), 2);
    EXPECT_TRUE(utils.ValidateField(FieldKind::Amount, "$1,234.50"));
    EXPECT_FALSE(utils.ValidateField(FieldKind::Amount, "12.345"));
    EXPECT_FALSE(utils.ValidateField(FieldKind::Amount, "1,23"));
    EXPECT_FALSE(utils.ValidateField(FieldKind::Code, "A|B"));
    const auto palette = ReferenceUtils::palette();
    EXPECT_EQ(palette[static_cast<std::size_t>('W' - 64)], "16777215");
    EXPECT_EQ(palette[static_cast<std::size_t>('R' - 64)], std::to_string(0xD0)) << "blue-green-red order";
    std::vector<std::string> printers;
    utils.GetServerPrinters(printers);
    EXPECT_EQ(printers.size(), 3u);
}

} // namespace
} // namespace corvane::reference
