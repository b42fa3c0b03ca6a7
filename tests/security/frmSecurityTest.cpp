#include "AccessExport.h"
#include "LookupWindow.h"
#include "ModalDriver.h"
#include "SecurityDialog.h"
#include "frmSecurityCopy.h"
#include "frmSecurityDistribute.h"
#include "frmSecurityEntity.h"
#include "frmSecuritySupport.h"
#include "frmSecurityTransDetail.h"
#include "frmSecurityTransGroups.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTreeWidget>

namespace corvane {
namespace {

using test::Rights;

class SecurityWindowTest : public test::SecurityWindowFixture { };

std::vector<std::string> pagesUnder(QTreeWidget* tree, const QString& nodeText)
{
    std::vector<std::string> pages;
    const auto found = tree->findItems(nodeText, Qt::MatchExactly | Qt::MatchRecursive);
    if (found.isEmpty())
        return pages;
    for (int i = 0; i < found.front()->childCount(); ++i)
        pages.push_back(found.front()->child(i)->text(0).toStdString());
    return pages;
}

TEST_F(SecurityWindowTest, TheTreeHoldsEveryOperatorTheTenGroupsAndTheSystemPagesOfAMixedPractice)
{
    start();
    QTreeWidget* tree = window->tree();
    ASSERT_EQ(tree->topLevelItemCount(), 3);
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 9) << "eight operators and VQ";
    EXPECT_EQ(tree->topLevelItem(0)->child(1)->text(0), QStringLiteral("MJONES   Maria Jones"));
    EXPECT_EQ(tree->topLevelItem(0)->child(3)->text(0), QStringLiteral("DKIM  David Kim"));
    EXPECT_EQ(tree->topLevelItem(1)->childCount(), 10);
    EXPECT_EQ(window->entityMix(), "M");
    EXPECT_EQ(pagesUnder(tree, QStringLiteral("MJONES   Maria Jones")),
              (std::vector<std::string> {"Module Access", "Entity Access", "Modify Transaction (Non Anesthesia)",
                                         "Modify Transaction (Anesthesia Only)"}));
    EXPECT_EQ(pagesUnder(tree, QStringLiteral("Security Group 4")),
              (std::vector<std::string> {"Module Access", "Modify Transaction (Non Anesthesia)",
                                         "Modify Transaction (Anesthesia Only)"}));
    EXPECT_EQ(pagesUnder(tree, QStringLiteral("System")),
              (std::vector<std::string> {"Transaction groups setup (Non Anesthesia)",
                                         "Transaction groups setup (Anesthesia Only)", "Copy Security Settings",
                                         "Distribute Security Settings"}))
        << "Security Programs only in developer mode";
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Security Settings"));
    EXPECT_FALSE(child<QPushButton>("cmdSave")->isHidden());
    EXPECT_FALSE(child<QPushButton>("cmdSave")->isEnabled()) << "no page yet";

    ASSERT_TRUE(window->selectPage("G", "4", {}));
    EXPECT_EQ(child<QLabel>("lblTitle1")->text(), QStringLiteral("Group Security:  4"));
    EXPECT_EQ(title2(), "");
}

TEST_F(SecurityWindowTest, AModuleAccessEditIsSavedAndTheReloadedPageShowsWhatTheServerNowHolds)
{
    start();
    const auto before = everyone();
    ASSERT_TRUE(window->selectPage("O", "MJONES", "mod"));
    EXPECT_EQ(child<QLabel>("lblTitle1")->text(), QStringLiteral("Operator Security:  MJONES"));
    EXPECT_EQ(title2(), "Module Access");
    EXPECT_TRUE(child<QWidget>("fraFind")->isVisible());
    ASSERT_NE(rowOf("AGING"), 0);
    const bool was = on("AGING", 3);
    ASSERT_TRUE(toggle(rowOf("AGING"), 3));
    EXPECT_TRUE(modulePage().hasChanges());
    EXPECT_TRUE(child<QPushButton>("cmdSave")->isEnabled());

    clickSave();
    ASSERT_EQ(prompter->prompts.size(), 1u);
    EXPECT_EQ(lastPrompt().text, "Settings Saved for: \r\nMJONES");
    EXPECT_EQ(lastPrompt().title, "Security Settings:  Module Access");
    EXPECT_FALSE(modulePage().hasChanges()) << "the page was read again";
    EXPECT_EQ(on("AGING", 3), !was);

    auto after = everyone();
    EXPECT_EQ(after["O MJONES"]["AGING"][0], was ? '0' : '1');
    after["O MJONES"]["AGING"] = before.at("O MJONES").at("AGING");
    EXPECT_EQ(after, before) << "nothing else changed";

    // The host's rights list is the operator's own, so the edit reaches it.
    const auto lines = host->server->answerLines("|GET|RIGHTS|MJONES|", "JSMITH");
    const auto aging
        = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("AGING\t", 0) == 0; });
    ASSERT_NE(aging, lines.end());
    EXPECT_EQ(aging->substr(aging->rfind('\t') + 1), was ? "N" : "Y");
}

TEST_F(SecurityWindowTest, AFailedOrRefusedSaveKeepsThePageAndTheEdits)
{
    start();
    ASSERT_TRUE(window->selectPage("O", "MJONES", "mod"));
    const bool was = on("DAYSHEET", 3);
    ASSERT_TRUE(toggle(rowOf("DAYSHEET"), 3));
    const Rights stored = rights("O", "MJONES");

    host->link->failCall(1);
    clickSave();
    EXPECT_NE(lastPrompt().text.find("failed"), std::string::npos) << lastPrompt().text;
    EXPECT_EQ(on("DAYSHEET", 3), !was) << "the edit stays";
    EXPECT_TRUE(modulePage().hasChanges());

    host->link->answerWithError(1, "|ERROR|Security|The security tables are locked by AOKAFOR.");
    clickSave();
    EXPECT_EQ(lastPrompt().text, "The security tables are locked by AOKAFOR.") << "the server's text, once";
    EXPECT_EQ(prompter->prompts.size(), 2u);
    EXPECT_EQ(on("DAYSHEET", 3), !was);
    EXPECT_EQ(rights("O", "MJONES"), stored) << "nothing reached the server";

    prompter->expect(PromptAnswer::No);
    window->reject();
    EXPECT_EQ(lastPrompt().text, "Save changes to Module Access for MJONES?");
    EXPECT_EQ(rights("O", "MJONES"), stored) << "No leaves without saving";
}

TEST_F(SecurityWindowTest, UnsavedChangesAreAskedAboutBeforeThePageIsLeft)
{
    start();
    ASSERT_TRUE(window->selectPage("O", "MJONES", "mod"));
    const bool was = on("AGING", 3);
    ASSERT_TRUE(toggle(rowOf("AGING"), 3));

    prompter->expect(PromptAnswer::Cancel);
    window->selectPage("O", "DKIM", "mod");
    EXPECT_EQ(lastPrompt().text, "Save changes to Module Access for MJONES?");
    EXPECT_EQ(lastPrompt().buttons, PromptButtons::YesNoCancel);
    EXPECT_EQ(window->currentCode(), "MJONES");
    EXPECT_EQ(on("AGING", 3), !was) << "Cancel stays with the edits";

    prompter->expect(PromptAnswer::Yes);
    prompter->expect(PromptAnswer::Ok);
    window->reject();
    EXPECT_EQ(lastPrompt().text, "Settings Saved for: \r\nMJONES");
    EXPECT_EQ(rights("O", "MJONES")["AGING"][0], was ? '0' : '1') << "Yes saved before leaving";
}

TEST_F(SecurityWindowTest, SavingOnesOwnSettingsWithoutTheSecurityRightAsksFirst)
{
    start();
    ASSERT_TRUE(window->selectPage("O", "JSMITH", "mod"));
    ASSERT_TRUE(on("PRGL", 5));
    ASSERT_TRUE(toggle(rowOf("PRGL"), 5));
    const Rights stored = rights("O", "JSMITH");
    prompter->expect(PromptAnswer::No);
    click("cmdSave");
    EXPECT_EQ(lastPrompt().text, "You are removing your own right to change security. Continue?");
    EXPECT_EQ(lastPrompt().defaultAnswer, PromptAnswer::No);
    EXPECT_EQ(rights("O", "JSMITH"), stored);
    EXPECT_FALSE(on("PRGL", 5)) << "the edit stays for the operator to undo";

    ASSERT_TRUE(toggle(rowOf("PRGL"), 5));
    clickSave();
    EXPECT_EQ(lastPrompt().text, "Settings Saved.\r\nPlease Logoff and Logon for new settings to take effect.");
}

TEST_F(SecurityWindowTest, TheViewOnlyOperatorsPagesAreViewsWithNothingToChange)
{
    start();
    ASSERT_TRUE(window->selectPage("O", "VQ", "mod"));
    EXPECT_EQ(title2(), "View Module Access   (Settings for VQ are Read Only)");
    EXPECT_TRUE(child<QPushButton>("cmdSave")->isHidden());
    const int row = rowOf("AGING");
    for (int c = 3; c <= 6; ++c)
        EXPECT_FALSE(toggle(row, c)) << "column " << c;
    EXPECT_FALSE(modulePage().hasChanges());

    ASSERT_TRUE(window->selectPage("O", "VQ", "entity"));
    EXPECT_EQ(title2(), "View Entity Access   (Settings for VQ are Read Only)");
    EXPECT_FALSE(window->entityPage()->list()->isEnabled());
    ASSERT_TRUE(window->selectPage("O", "VQ", "modify_trans"));
    EXPECT_EQ(title2(), "View Transaction Settings (Non Anesthesia)   (Settings for VQ are Read Only)");
    for (QCheckBox* box : window->transDetailPage()->findChildren<QCheckBox*>())
        EXPECT_FALSE(box->isEnabled()) << box->objectName().toStdString();
}

TEST_F(SecurityWindowTest, AnOperatorWithoutTheSecurityRightSeesReadOnlyViewsAndNoCopyPages)
{
    start("LGARCIA");
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("Security Settings") + QString(24, QLatin1Char(' ')) + QStringLiteral("READ ONLY"));
    EXPECT_TRUE(child<QPushButton>("cmdSave")->isHidden());
    EXPECT_FALSE(window->selectPage("S", "", "copy_security_settings"));
    EXPECT_FALSE(window->selectPage("S", "", "distribute_security_settings"));
    ASSERT_TRUE(window->selectPage("O", "MJONES", "mod"));
    EXPECT_EQ(title2(), "View Module Access");
    EXPECT_FALSE(toggle(rowOf("AGING"), 3));
    ASSERT_TRUE(window->selectPage("S", "", "mod_trans_group_setup"));
    EXPECT_EQ(title2(), "View Transaction Groups Setup (Non Anesthesia)");
    EXPECT_TRUE(child<QPushButton>("cmdSave")->isHidden());
}

TEST_F(SecurityWindowTest, CopyingAGroupsReportsOntoAnOperatorChangesThatOperatorOnly)
{
    start();
    const auto before = everyone();
    ASSERT_TRUE(window->selectPage("S", "", "copy_security_settings"));
    frmSecurityCopy* page = window->copyPage();
    EXPECT_FALSE(child<QPushButton>("cmdSave")->isEnabled());
    QPushButton* copy = child<QPushButton>("cmdCopy", page);
    EXPECT_FALSE(copy->isEnabled()) << "nothing chosen";

    child<QRadioButton>("optGroup_0", page)->setChecked(true);
    EXPECT_FALSE(child<QCheckBox>("chkCopyEntity", page)->isEnabled()) << "a group has no entity access";
    page->fromList()->setCurrentIndex(page->fromList()->findText(QStringLiteral("Security Group 3")));
    page->toList()->setCurrentIndex(page->toList()->findText(QStringLiteral("MJONES   Maria Jones")));
    EXPECT_EQ(page->toList()->findText(QStringLiteral("VQ    View Query")), -1) << "VQ is never a target";
    click("cmdDeselectAll", page);
    EXPECT_FALSE(copy->isEnabled()) << "nothing to copy";
    const auto reports = page->programTree()->findItems(QStringLiteral("RPT  Reports"), Qt::MatchExactly);
    ASSERT_EQ(reports.size(), 1);
    reports.front()->setCheckState(0, Qt::Checked);
    EXPECT_EQ(page->checkedPrograms(), (std::vector<std::string> {"RPT", "AGING", "DAYSHEET", "PRODRPT"}));
    ASSERT_TRUE(copy->isEnabled());

    prompter->expect(PromptAnswer::Yes);
    prompter->expect(PromptAnswer::Ok);
    copy->click();
    ASSERT_EQ(prompter->prompts.size(), 2u);
    EXPECT_EQ(prompter->prompts[0].text,
              "Replace the security settings of Operator MJONES with those of Security "
              "Group 3 for the 4 checked modules and programs?");
    EXPECT_EQ(lastPrompt().text, "Settings copied from Security Group 3 to Operator MJONES.\r\n");

    auto after = everyone();
    EXPECT_EQ(after["O MJONES"]["AGING"], before.at("G 3").at("AGING"));
    EXPECT_EQ(after["O MJONES"]["DAYSHEET"], before.at("G 3").at("DAYSHEET"));
    EXPECT_NE(before.at("O MJONES").at("AGING"), before.at("G 3").at("AGING")) << "the copy changed something";
    after["O MJONES"]["AGING"] = before.at("O MJONES").at("AGING");
    after["O MJONES"]["DAYSHEET"] = before.at("O MJONES").at("DAYSHEET");
    EXPECT_EQ(after, before) << "only the target's checked programs changed";
}

TEST_F(SecurityWindowTest, AnOperatorIsNeverCopiedOntoAGroup)
{
    start();
    ASSERT_TRUE(window->selectPage("S", "", "copy_security_settings"));
    frmSecurityCopy* page = window->copyPage();
    EXPECT_FALSE(child<QRadioButton>("optGroup_1", page)->isEnabled());
    child<QRadioButton>("optGroup_0", page)->setChecked(true);
    EXPECT_TRUE(child<QRadioButton>("optGroup_1", page)->isEnabled());
    child<QRadioButton>("optGroup_1", page)->setChecked(true);
    page->fromList()->setCurrentIndex(page->fromList()->findText(QStringLiteral("Security Group 3")));
    EXPECT_EQ(page->toList()->findText(QStringLiteral("Security Group 3")), -1) << "never onto itself";
    child<QRadioButton>("optUser_0", page)->setChecked(true);
    EXPECT_TRUE(child<QRadioButton>("optUser_1", page)->isChecked()) << "the target fell back to an operator";
}

TEST_F(SecurityWindowTest, DistributingAGroupResetsItsOperatorsAndNoOneElse)
{
    start();
    // MJONES (Security Group 2) first gets settings of her own.
    ASSERT_TRUE(window->selectPage("O", "MJONES", "mod"));
    ASSERT_TRUE(toggle(rowOf("AGING"), 3));
    clickSave();
    const auto before = everyone();
    ASSERT_NE(before.at("O MJONES"), before.at("G 2"));

    ASSERT_TRUE(window->selectPage("S", "", "distribute_security_settings"));
    frmSecurityDistribute* page = window->distributePage();
    QPushButton* copy = child<QPushButton>("cmdCopy", page);
    EXPECT_FALSE(copy->isEnabled()) << "no group chosen, nothing to send";
    page->list()->item(2)->setSelected(true);
    ASSERT_TRUE(copy->isEnabled());
    prompter->expect(PromptAnswer::Yes);
    prompter->expect(PromptAnswer::Ok);
    copy->click();
    EXPECT_EQ(prompter->prompts[1].text, "Replace the security settings of every operator in Security Group 2?");
    EXPECT_EQ(lastPrompt().text, "Settings copied.\r\n");

    auto after = everyone();
    EXPECT_EQ(after["O MJONES"], before.at("G 2"));
    after["O MJONES"] = before.at("O MJONES");
    EXPECT_EQ(after, before) << "only the operators of group 2 changed";
}

TEST_F(SecurityWindowTest, EntityAccessAndModifyTransactionAreSavedAndReadBack)
{
    start();
    ASSERT_TRUE(window->selectPage("O", "RPATEL", "entity"));
    EXPECT_EQ(title2(), "Entity Access");
    QListWidget* list = window->entityPage()->list();
    ASSERT_GE(list->count(), 4);
    const bool was = list->item(3)->isSelected();
    list->item(3)->setSelected(!was);
    clickSave();
    EXPECT_EQ(lastPrompt().text, "Settings Saved for: \r\nRPATEL");
    EXPECT_EQ(window->entityPage()->list()->item(3)->isSelected(), !was);
    EXPECT_EQ(window->entityPage()->entities().entries()[3].allowed, !was);

    ASSERT_TRUE(window->selectPage("O", "RPATEL", "modify_trans_anest"));
    EXPECT_EQ(title2(), "Modify Transaction Settings (Anesthesia)");
    auto boxes = window->transDetailPage()->findChildren<QCheckBox*>(QRegularExpression(QStringLiteral("^chkField_")));
    ASSERT_FALSE(boxes.isEmpty());
    const bool allowed = boxes.front()->isChecked();
    boxes.front()->setChecked(!allowed);
    auto* days = child<QLineEdit>("mskDays_0", window->transDetailPage());
    days->setText(QStringLiteral("45"));
    clickSave();
    EXPECT_EQ(lastPrompt().text, "Settings Saved for: \r\nRPATEL");
    const TransSettings& reread = window->transDetailPage()->settings();
    EXPECT_EQ(reread.fields().front().allowed, !allowed);
    EXPECT_EQ(reread.groups().front().days, "45");
}

TEST_F(SecurityWindowTest, TheAccessListExportsAsCsv)
{
    start();
    ASSERT_TRUE(window->selectPage("O", "MJONES", "mod"));
    const QString path = QString::fromStdString(dir.file("MJONES.csv"));
    ASSERT_TRUE(modulePage().exportCsv(path, "Operator MJONES"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF")) << "marked as UTF-8 for spreadsheet programs";
    const QString text = QString::fromUtf8(bytes.mid(3));
    EXPECT_TRUE(text.startsWith(QStringLiteral("Access list,Operator MJONES\r\n"
                                               "Module,Program,Description,Access,Add,Modify,Delete\r\n")));
    const Rights stored = rights("O", "MJONES");
    const auto yes = [&](int i) {
        return stored.at("AGING")[static_cast<std::size_t>(i)] == '1' ? u"Yes" : u"No";
    };
    EXPECT_TRUE(
        text.contains(QStringLiteral(",AGING,Aging report,%1,%2,%3,%4\r\n").arg(yes(0), yes(1), yes(2), yes(3))))
        << text.toStdString();
    EXPECT_EQ(AccessExport::csvField("Reports, daily \"A\""), "\"Reports, daily \"\"A\"\"\"");
}

TEST_F(SecurityWindowTest, FindLooksAtCodesAndDescriptionsAndOffersToStartAgain)
{
    start();
    ASSERT_TRUE(window->selectPage("O", "MJONES", "mod"));
    auto* find = child<QLineEdit>("txtFind");
    find->setText(QStringLiteral("day*"));
    window->FindNext();
    int row = 0;
    int col = 0;
    modulePage().grid().currentCell(row, col);
    EXPECT_EQ(row, rowOf("DAYSHEET"));
    EXPECT_EQ(col, 1);
    window->FindNext();
    modulePage().grid().currentCell(row, col);
    EXPECT_EQ(col, 2) << "\"Day sheet\" begins with it too";

    prompter->expect(PromptAnswer::No);
    window->FindNext();
    EXPECT_EQ(lastPrompt().text, "Cannot find \"DAY*\".\r\nDo you want to start from the beginning?");
    modulePage().grid().currentCell(row, col);
    EXPECT_EQ(row, rowOf("DAYSHEET")) << "No stays";

    find->setText(QStringLiteral("*nothing like it"));
    prompter->expect(PromptAnswer::Yes);
    prompter->expect(PromptAnswer::Ok);
    window->FindNext();
    EXPECT_EQ(lastPrompt().text, "Cannot find \"*NOTHING LIKE IT\".");
}

TEST_F(SecurityWindowTest, ANewSecurityProgramIsRefusedUntilValidThenAppearsInTheCopyTree)
{
    start("JSMITH", true);
    ASSERT_TRUE(window->selectPage("S", "", "mod_security_programs"));
    EXPECT_EQ(title2(), "Security Programs");
    EXPECT_FALSE(child<QPushButton>("cmdSave")->isEnabled()) << "viewing saves nothing";
    click("cmdAddNew");
    ASSERT_TRUE(child<QPushButton>("cmdSave")->isEnabled());
    child<QLineEdit>("txtSecPr_0")->setText(QStringLiteral("EOMRPT"));
    child<QLineEdit>("txtSecPr_1")->setText(QStringLiteral("Month end: totals"));
    child<QLineEdit>("txtSecPr_2")->setText(QStringLiteral("RPT"));
    clickSave();
    EXPECT_NE(lastPrompt().text.find("Description"), std::string::npos) << lastPrompt().text;
    EXPECT_EQ(child<QLineEdit>("txtSecPr_1")->text(), QStringLiteral("Month end: totals")) << "kept";

    child<QLineEdit>("txtSecPr_1")->setText(QStringLiteral("Month end totals"));
    child<QLineEdit>("txtSecPr_2")->setText(QStringLiteral("XYZ"));
    clickSave();
    EXPECT_EQ(lastPrompt().text, "Type XYZ is not a valid security program type.");

    child<QLineEdit>("txtSecPr_2")->setText(QStringLiteral("RPT"));
    child<QCheckBox>("chkAccess_0")->setChecked(true);
    child<QListWidget>("lstGroups")->item(0)->setSelected(true);
    clickSave();
    EXPECT_EQ(lastPrompt().text, "Settings Saved.");
    EXPECT_EQ(rights("G", "0").at("EOMRPT"), "1000");

    ASSERT_TRUE(window->selectPage("S", "", "copy_security_settings"));
    EXPECT_FALSE(window->copyPage()
                     ->programTree()
                     ->findItems(QStringLiteral("EOMRPT  Month end totals"), Qt::MatchExactly | Qt::MatchRecursive)
                     .isEmpty())
        << "the program list was read again";
}

TEST_F(SecurityWindowTest, DistributingTheSignedInOperatorsOwnGroupAdvisesLoggingOffWhenTheirSettingsChanged)
{
    start(); // JSMITH, of Security Group 0
    ASSERT_TRUE(window->selectPage("O", "JSMITH", "mod"));
    ASSERT_TRUE(toggle(rowOf("AGING"), 3));
    clickSave();
    ASSERT_NE(rights("O", "JSMITH"), rights("G", "0"));

    ASSERT_TRUE(window->selectPage("S", "", "distribute_security_settings"));
    frmSecurityDistribute* page = window->distributePage();
    QPushButton* copy = child<QPushButton>("cmdCopy", page);
    page->list()->item(0)->setSelected(true);
    prompter->expect(PromptAnswer::Yes);
    prompter->expect(PromptAnswer::Ok);
    copy->click();
    EXPECT_EQ(lastPrompt().text, "Settings copied.\r\nPlease Logoff and Logon for new settings to take effect.");
    EXPECT_EQ(rights("O", "JSMITH"), rights("G", "0"));

    // Distributed again, the group changes nothing of JSMITH's: there is nothing new to log on for.
    prompter->expect(PromptAnswer::Yes);
    prompter->expect(PromptAnswer::Ok);
    copy->click();
    EXPECT_EQ(lastPrompt().text, "Settings copied.\r\n");

    // Another group's operators change; JSMITH's settings do not.
    page->list()->item(0)->setSelected(false);
    page->list()->item(2)->setSelected(true);
    prompter->expect(PromptAnswer::Yes);
    prompter->expect(PromptAnswer::Ok);
    copy->click();
    EXPECT_EQ(lastPrompt().text, "Settings copied.\r\n");
}

TEST_F(SecurityWindowTest, TransactionGroupsRefuseAFieldHeldElsewhereAndASavedGroupingIsReadBack)
{
    start();
    // The anesthesia groups leave fields ungrouped.
    ASSERT_TRUE(window->selectPage("S", "", "mod_trans_group_setup_anest"));
    frmSecurityTransGroups* page = window->transGroupsPage();
    CorvaneGrid& grid = page->grid();
    const TransGroups& groups = page->groups();
    ASSERT_FALSE(groups.fields().empty());
    // Grid rows and columns count from 1; the groups' from 0 (column 0 the group code).
    const auto pick = [&](int row, int col, const std::string& entry) {
        return grid.model().setData(grid.model().index(row - 1, col - 1), WireCodec::toQString(entry), Qt::EditRole);
    };
    const auto shown = [&](int row, int col) {
        return WireCodec::toWireLossy(
            grid.model().data(grid.model().index(row - 1, col - 1), Qt::DisplayRole).toString());
    };
    int heldRow = 0, heldCol = 0, emptyRow = 0, emptyCol = 0;
    for (int r = 1; r <= groups.rowCount(); ++r) {
        for (int c = 2; c <= TransGroups::columnCount; ++c) {
            const std::string& code = groups.code(r - 1, c - 1);
            if (!heldRow && groups.fieldFor(code)) {
                heldRow = r;
                heldCol = c;
            } else if (!emptyRow && code.empty()) {
                emptyRow = r;
                emptyCol = c;
            }
        }
    }
    const TransField* free = nullptr;
    for (const TransField& field : groups.fields()) {
        if (!free && !groups.heldElsewhere(field.code, -1, -1))
            free = &field;
    }
    ASSERT_TRUE(heldRow && emptyRow && free) << "the practice holds grouped fields, an empty cell and a free field";
    const std::string heldCode = groups.code(heldRow - 1, heldCol - 1);
    const std::string freeCode = free->code;
    const std::string freeEntry = free->entry;

    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(pick(emptyRow, emptyCol, groups.fieldFor(heldCode)->entry));
    EXPECT_EQ(lastPrompt().text, "This field has already been selected");
    EXPECT_EQ(lastPrompt().icon, PromptIcon::Warning);
    EXPECT_EQ(groups.code(emptyRow - 1, emptyCol - 1), "") << "the cell keeps what it held";
    EXPECT_EQ(groups.code(heldRow - 1, heldCol - 1), heldCode);
    EXPECT_FALSE(page->hasChanges());

    ASSERT_TRUE(pick(emptyRow, emptyCol, freeEntry));
    EXPECT_TRUE(page->hasChanges());
    clickSave();
    EXPECT_EQ(lastPrompt().text, "Settings Saved.");

    TransGroups stored;
    ASSERT_TRUE(stored.load(host->server->answerString(TransGroups::readRequest(true), "JSMITH")));
    EXPECT_EQ(stored.code(emptyRow - 1, emptyCol - 1), freeCode) << "the server holds the new grouping";
    EXPECT_EQ(stored.code(heldRow - 1, heldCol - 1), heldCode);
    EXPECT_FALSE(page->hasChanges()) << "the page was read again";
    EXPECT_EQ(page->groups().code(emptyRow - 1, emptyCol - 1), freeCode);
    EXPECT_EQ(shown(emptyRow, emptyCol), freeEntry);
}

TEST_F(SecurityWindowTest, ViewExistingLooksUpTheSecurityPrograms)
{
    start("JSMITH", true);
    ASSERT_TRUE(window->selectPage("S", "", "mod_security_programs"));
    QString offered;
    host->lookups->runWindow = [&](reference::LookupWindow& lookup) {
        offered = lookup.findChild<QLineEdit*>(QStringLiteral("txtSearch"))->text();
        EXPECT_EQ(lookup.windowTitle(), QStringLiteral("Security Programs"));
        return lookup.chosenIndex() >= 0 ? QDialog::Accepted : QDialog::Rejected;
    };
    child<QLineEdit>("txtLookup")->setText(QStringLiteral("aging rep"));
    click("cmdSecPrLookup");
    EXPECT_EQ(offered, QStringLiteral("aging rep")) << "the lookup starts from what was typed";
    EXPECT_EQ(prompter->beeps, 0) << "the lookup is defined";
    EXPECT_EQ(child<QLineEdit>("txtSecPr_0")->text(), QStringLiteral("AGING"));
    EXPECT_EQ(child<QLineEdit>("txtSecPr_1")->text(), QStringLiteral("Aging report"));
}

TEST_F(SecurityWindowTest, ShowDialogOpensTheWindowModallyAndExitCloses)
{
    startHost();
    bool shown = false;
    test::runModal([&] { shown = manager.GetSecurityDlg()->ShowDialog(); },
                   [](QWidget* w) {
                       EXPECT_EQ(w->objectName(), QStringLiteral("frmSecurity"));
                       w->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
                   });
    EXPECT_TRUE(shown);
}

} // namespace
} // namespace corvane
