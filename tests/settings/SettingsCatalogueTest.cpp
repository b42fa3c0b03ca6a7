#include "SettingsCatalogue.h"

#include "SettingValue.h"
#include "SettingsPages.h"
#include "SettingsTree.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace corvane {
namespace {

int leavesIn(std::string_view section, bool withSubSections)
{
    int count = 0;
    for (const TreeLeaf& leaf : SettingsCatalogue::leaves()) {
        if (leaf.developerOnly)
            continue;
        if (leaf.section == section
            || (withSubSections && leaf.section.substr(0, section.size() + 1) == std::string(section) + "/"))
            ++count;
    }
    return count;
}

TEST(SettingsCatalogue, HoldsEveryKeyLeafAndChoiceOnce)
{
    EXPECT_EQ(SettingsCatalogue::keys().size(), 107u) << "the window's 106 keys and WRKFLWIMAGE2";
    std::set<std::string_view> keys;
    for (const SettingKey& entry : SettingsCatalogue::keys())
        EXPECT_TRUE(keys.insert(entry.key).second) << "key listed twice: " << entry.key;

    std::set<std::string_view> names;
    int developerOnly = 0;
    for (const TreeLeaf& leaf : SettingsCatalogue::leaves()) {
        EXPECT_TRUE(names.insert(leaf.name).second) << "leaf name listed twice: " << leaf.name;
        developerOnly += leaf.developerOnly ? 1 : 0;
    }
    EXPECT_EQ(SettingsCatalogue::leaves().size(), 104u);
    EXPECT_EQ(developerOnly, 1) << "only the protected settings list";
    EXPECT_EQ(SettingsCatalogue::choices().size(), 64u);
    EXPECT_EQ(SettingsCatalogue::lookups().size(), 6u);
}

TEST(SettingsCatalogue, SectionsHoldTheirLeavesInTreeOrder)
{
    EXPECT_EQ(leavesIn("Account Inquiry", true), 6);
    EXPECT_EQ(leavesIn("Demographics", true), 11);
    EXPECT_EQ(leavesIn("Scheduler", true), 15);
    EXPECT_EQ(leavesIn("Scheduler/Ref. Phys. in Appointment", false), 3);
    EXPECT_EQ(leavesIn("Posting/Charges/Autopost", false), 8);
    EXPECT_EQ(leavesIn("Posting/Charges", false), 13);
    EXPECT_EQ(leavesIn("Posting/Payments", true), 8);
    EXPECT_EQ(leavesIn("Posting/Payments/Sequestration", false), 3);
    EXPECT_EQ(leavesIn("Workflow", true), 8);
    EXPECT_EQ(leavesIn("General", true), 34);
    for (const TreeLeaf& leaf : SettingsCatalogue::leaves())
        EXPECT_NE(SettingsCatalogue::findSection(leaf.section), nullptr) << leaf.name << " in " << leaf.section;
}

TEST(SettingsCatalogue, EveryLeafKeyIsKnownAndOnlyTwoKeysServeTwoLeaves)
{
    std::map<std::string_view, int> leavesPerKey;
    for (const TreeLeaf& leaf : SettingsCatalogue::leaves()) {
        if (leaf.key.empty())
            continue;
        EXPECT_NE(SettingsCatalogue::findKey(leaf.key), nullptr) << leaf.name << " reads the unknown key " << leaf.key;
        ++leavesPerKey[leaf.key];
    }
    std::set<std::string_view> shared;
    for (const auto& [key, count] : leavesPerKey) {
        if (count > 1)
            shared.insert(key);
    }
    EXPECT_EQ(shared, (std::set<std::string_view> {"POSTWF", "REFMES"}));
}

TEST(SettingsCatalogue, EveryChoiceAndLookupLeafHasItsDefinitionAndBack)
{
    int choiceLeaves = 0;
    for (const TreeLeaf& leaf : SettingsCatalogue::leaves()) {
        if (leaf.page == choicePage) {
            ++choiceLeaves;
            EXPECT_NE(SettingsCatalogue::choiceFor(leaf.name), nullptr) << leaf.name;
        } else {
            EXPECT_EQ(SettingsCatalogue::choiceFor(leaf.name), nullptr) << leaf.name;
        }
        EXPECT_EQ(leaf.page == lookupPage, SettingsCatalogue::lookupFor(leaf.name) != nullptr) << leaf.name;
    }
    EXPECT_EQ(choiceLeaves, 66);
    for (const ChoiceList& choice : SettingsCatalogue::choices()) {
        for (const std::string_view name : {choice.name, choice.otherName}) {
            if (name.empty())
                continue;
            const TreeLeaf* leaf = SettingsCatalogue::findLeaf(name);
            ASSERT_NE(leaf, nullptr) << name;
            EXPECT_EQ(leaf->page, choicePage) << name;
        }
    }
    for (const LookupLeaf& lookup : SettingsCatalogue::lookups()) {
        const TreeLeaf* leaf = SettingsCatalogue::findLeaf(lookup.name);
        ASSERT_NE(leaf, nullptr) << lookup.name;
        EXPECT_EQ(leaf->key, lookup.key) << lookup.name;
    }
}

TEST(SettingsCatalogue, ChoiceListsHaveTwoToFourCaptionsAndEveryDefaultLiesInside)
{
    std::map<std::size_t, int> byCount;
    for (const ChoiceList& choice : SettingsCatalogue::choices())
        ++byCount[choice.captions.size()];
    EXPECT_EQ(byCount, (std::map<std::size_t, int> {{2, 52}, {3, 9}, {4, 3}}));

    for (const TreeLeaf& leaf : SettingsCatalogue::leaves()) {
        if (leaf.page != choicePage)
            continue;
        const SettingKey* key = SettingsCatalogue::findKey(leaf.key);
        ASSERT_NE(key, nullptr);
        EXPECT_TRUE(SettingValue::isNumeric(key->kind)) << leaf.key << " stores a choice index";
        const auto selected = SettingValue::defaultChoice(*key);
        if (selected) {
            EXPECT_LT(*selected, static_cast<int>(SettingsCatalogue::choiceFor(leaf.name)->captions.size()))
                << leaf.name;
        } else {
            EXPECT_TRUE(key->unsetWhenEmpty) << leaf.name << " shows no choice when empty";
        }
    }
}

TEST(SettingsCatalogue, KeyKindsAndDefaultsAsTheWindowReadsThem)
{
    std::map<ValueKind, int> byKind;
    for (const SettingKey& entry : SettingsCatalogue::keys())
        ++byKind[entry.kind];
    EXPECT_EQ(byKind[ValueKind::Integer], 66);
    EXPECT_EQ(byKind[ValueKind::Long], 8);
    EXPECT_EQ(byKind[ValueKind::Flag], 3);
    EXPECT_EQ(byKind[ValueKind::FlagExactlyOne], 1);
    EXPECT_EQ(byKind[ValueKind::Decimal], 1);
    EXPECT_EQ(byKind[ValueKind::Text], 26) << "25 and WRKFLWIMAGE2";
    EXPECT_EQ(byKind[ValueKind::RawText], 1);
    EXPECT_EQ(byKind[ValueKind::TextNumber], 1);

    EXPECT_EQ(SettingsCatalogue::findKey("WRKFLWIMAGE2")->emptyDefault, "*:*");
    for (const char* kept : {"POSTPAYBATCH", "POSTPAYAPPR", "POSTPAYCOINS"})
        EXPECT_TRUE(SettingsCatalogue::findKey(kept)->keepOnNonNumber) << kept;
}

TEST(SettingsCatalogue, TextsAreTranscribedAsTheWindowShowsThem)
{
    EXPECT_EQ(SettingsCatalogue::choiceFor("auto_write_off")->title, "Automatic write offf");
    const ChoiceList* duplicates = SettingsCatalogue::choiceFor("dupl_pat_restr_ent");
    ASSERT_EQ(duplicates->captions.size(), 4u);
    EXPECT_EQ(duplicates->captions[3], "D. Show if B or C apply");
    EXPECT_EQ(SettingsCatalogue::choiceFor("pos_pmt_navig")->captions[2], "Check #");
    const TreeLeaf* demo = SettingsCatalogue::findLeaf("demo_defaults");
    EXPECT_EQ(demo->text, "Defaults");
    EXPECT_EQ(demo->caption, "Demographics Defaults");
    EXPECT_EQ(SettingsCatalogue::lookupFor("credit_card_payment_code")->lookupType, "FLTY|PRP");
}

TEST(SettingsCatalogue, EveryPageALeafOpensHasAFrameASaverAndAModelOrItsOwnWidgets)
{
    const std::set<int> ownWidgets = {1, 6, 7, 9, 10, 11, 15, 17, 20};
    const std::set<int> noCommonSave = {3, 4, 7, 8, 12, 20, 39};
    for (const TreeLeaf& leaf : SettingsCatalogue::leaves()) {
        const PageSlot* slot = SettingsCatalogue::page(leaf.page);
        ASSERT_NE(slot, nullptr) << leaf.name;
        EXPECT_TRUE(slot->reachable) << leaf.name;
        EXPECT_FALSE(slot->frame.empty()) << leaf.name;
        if (!noCommonSave.count(leaf.page)) {
            EXPECT_FALSE(slot->saveRoutine.empty()) << leaf.name;
        }
        EXPECT_EQ(SettingsPages::forLeaf(leaf).has_value(), !ownWidgets.count(leaf.page)) << leaf.name;
    }
    EXPECT_EQ(SettingsCatalogue::pages().size(), 39u);
    EXPECT_FALSE(SettingsCatalogue::page(5)->reachable) << "Family Billing is a choice leaf";
    EXPECT_EQ(SettingsCatalogue::page(0), nullptr);
    EXPECT_EQ(SettingsCatalogue::page(40), nullptr);
}

TEST(SettingsTree, SectionsAndLeavesInTreeOrderWithTheirKeys)
{
    const auto nodes = SettingsTree::build(false, {});
    ASSERT_FALSE(nodes.empty());
    EXPECT_EQ(nodes[0].key, "S");
    EXPECT_EQ(nodes[0].text, "System");
    EXPECT_EQ(nodes[0].tag, "System");

    std::vector<std::string> topSections;
    std::map<std::string, std::size_t> at;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        at[nodes[i].key] = i;
        if (nodes[i].parent == 0)
            topSections.push_back(nodes[i].text);
    }
    EXPECT_EQ(topSections,
              (std::vector<std::string> {"Account Inquiry ", "Demographics ", "Scheduler ", "Posting ", "Workflow ",
                                         "General "}));
    ASSERT_TRUE(at.count("S\tRF"));
    EXPECT_EQ(nodes[at["S\tRF"]].text, "Ref. Phys. in Appointment ");
    EXPECT_EQ(nodes[at["S\tRF"] - 1].text, "Omit Blank Templates from Multiple Resource Views");
    EXPECT_LT(at["S\tRF"], at["S\tRepeat Patient Name\trepeat_pat_name\tREP_PAT_NAME"]);
    EXPECT_EQ(nodes[at["S\tAutopost"] - 1].text, "Auto Write Off");
    EXPECT_EQ(nodes[at["S\tAutopost"]].parent, static_cast<int>(at["S\tCharges"]));
    EXPECT_EQ(nodes[at["S\tSequestration"] - 1].text, "Refresh");

    const std::string demoKey = "S\tDemographics Defaults\tdemo_defaults";
    ASSERT_TRUE(at.count(demoKey)) << "a leaf without a key has three fields";
    EXPECT_EQ(nodes[at[demoKey]].text, "Defaults");
    EXPECT_EQ(nodes[at[demoKey]].image, "Leaf");
    EXPECT_FALSE(at.count("S\tProtected System Settings\tprot_sys_set\tPROTECTED"));
    EXPECT_EQ(nodes[at["S\tClose Dialogs after Save\tclose_mod_dialog\tCMDAS"]].toolTip, "CMDAS (close_mod_dialog)");
}

TEST(SettingsTree, OperatorsServerItemsAndDeveloperLeaves)
{
    const std::vector<std::pair<std::string, std::string>> operators
        = {{"JSMITH", "JSMITH\tJane Smith\tADMIN"}, {"DKIM", "DKIM\tDavid Kim\tCOLLECT"}};
    const std::vector<ServerItem> items = {{" General ", "Claim Scrubber", "scrub"},
                                           {"Billing Extras", "Statement Designer", "stmt"},
                                           {"admin", "Server Console", "console"}};
    for (const bool developer : {false, true}) {
        const auto nodes = SettingsTree::build(developer, operators, items);
        std::map<std::string, const TreeNode*> byKey;
        for (const TreeNode& node : nodes)
            byKey[node.key] = &node;
        ASSERT_TRUE(byKey.count("S\tClaim Scrubber\tbrowser_item\tscrub"));
        EXPECT_EQ(nodes[byKey["S\tClaim Scrubber\tbrowser_item\tscrub"]->parent].key, "S\tGeneral");
        ASSERT_TRUE(byKey.count("S\tStatement Designer\tbrowser_item\tstmt"));
        EXPECT_EQ(nodes[byKey["S\tStatement Designer\tbrowser_item\tstmt"]->parent].text, "Other ");
        EXPECT_EQ(byKey.count("S\tServer Console\tbrowser_item\tconsole"), developer ? 1u : 0u);
        EXPECT_EQ(byKey.count("S\tProtected System Settings\tprot_sys_set\tPROTECTED"), developer ? 1u : 0u);

        ASSERT_TRUE(byKey.count("U"));
        EXPECT_EQ(byKey["U"]->tag, "By User");
        EXPECT_EQ(byKey["U\tDKIM\tusername"]->text, "DKIM   David Kim");
    }
    EXPECT_EQ(SettingsTree::operatorText("AB", "Ann Bell"), "AB     Ann Bell");
    EXPECT_EQ(SettingsTree::operatorName("NOTAB"), "NOTAB");
}

TEST(SettingsTree, ServerItemListsAndErrorReplies)
{
    const std::string reply = std::string("General\tClaim Scrubber\tscrub") + '\xE6' + "Other\tNo handle\t" + '\xE6'
        + "Other\tDesigner\tstmt" + '\xE6';
    const auto items = SettingsTree::readServerItems(reply);
    ASSERT_TRUE(items);
    ASSERT_EQ(items->size(), 2u) << "an item without a page is left out";
    EXPECT_EQ((*items)[1].handle, "stmt");
    for (const char* none : {"", "ERROR: UNKNOWN COMMAND", "Error: unknown request GET on table FUNC", "error"})
        EXPECT_FALSE(SettingsTree::readServerItems(none)) << none;

    const NodeKey key = NodeKey::parse("S\tCaption\tname");
    EXPECT_EQ(key.fields, 3u);
    EXPECT_EQ(key.name, "name");
    EXPECT_TRUE(key.key.empty());
    EXPECT_TRUE(NodeKey::parse("S\tGeneral").isBranch());
}

} // namespace
} // namespace corvane
