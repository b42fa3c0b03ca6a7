#include "CodeTablesSettings.h"

#include "HostFixture.h"
#include "SentRequests.h"
#include "Text.h"

#include <gtest/gtest.h>

#include <map>

namespace corvane {
namespace {

/// Preferences kept as "KEY=value" lines, as a host might keep them.
class LinePreferences final : public Preferences {
public:
    explicit LinePreferences(std::string text)
        : m_text(std::move(text))
    {
    }
    std::string currentText() const override { return m_text; }
    void writeSettings(std::string& target) const override { target = m_text; }
    std::string value(const std::string& key) const override
    {
        const auto values = parse();
        const auto found = values.find(key);
        return found == values.end() ? std::string() : found->second;
    }
    bool setValue(const std::string& key, const std::string& value) override
    {
        auto values = parse();
        values[key] = value;
        m_text.clear();
        for (const auto& [k, v] : values)
            m_text += k + "=" + v + "\r\n";
        return true;
    }

private:
    std::map<std::string, std::string> parse() const
    {
        std::map<std::string, std::string> values;
        for (std::string_view line : text::split(m_text, '\n')) {
            line = text::trim(line);
            const std::size_t equals = line.find('=');
            if (equals != std::string_view::npos)
                values[std::string(line.substr(0, equals))] = std::string(line.substr(equals + 1));
        }
        return values;
    }
    std::string m_text;
};

class PreferencesUtils final : public test::FakeUtils {
public:
    std::vector<std::string> made; ///< the texts preferences objects were made from
    std::shared_ptr<Preferences> NewPreferences(const std::string& text) override
    {
        made.push_back(text);
        return std::make_shared<LinePreferences>(text);
    }
};

class CodeTablesSettingsTest : public test::HostFixture {
protected:
    void SetUp() override
    {
        utils = prefsUtils;
        HostFixture::SetUp();
    }

    std::vector<std::string> writes() const { return test::startingWith(quillon->requests, "|SET|"); }

    std::shared_ptr<PreferencesUtils> prefsUtils = std::make_shared<PreferencesUtils>();
};

TEST(CodeTablesSettings, SystemReplyTicksOnlyOnOneAndRefusesErrors)
{
    using Ticks = std::array<bool, 3>;
    EXPECT_EQ(CodeTablesSettings::readSystemReply("USECT=1,KEEPCTLOC=0,LOADCTLOGIN=1,"), (Ticks {true, false, true}));
    EXPECT_EQ(CodeTablesSettings::readSystemReply("USECT=1,KEEPCTLOC=1,"), (Ticks {true, true, false}))
        << "a reply without LOADCTLOGIN leaves its box unticked";
    EXPECT_EQ(CodeTablesSettings::readSystemReply("USECT=,KEEPCTLOC=2,LOADCTLOGIN= 1 ,"), (Ticks {false, false, true}))
        << "an empty value is not a choice the practice made";
    EXPECT_FALSE(CodeTablesSettings::readSystemReply("ERROR: UNKNOWN COMMAND"));
    EXPECT_FALSE(CodeTablesSettings::readSystemReply("|ERROR|System Settings|down"));
}

TEST(CodeTablesSettings, PasswordAndQuestions)
{
    EXPECT_TRUE(CodeTablesSettings::passwordMatches("slw"));
    EXPECT_TRUE(CodeTablesSettings::passwordMatches("SLW")) << "the answer is turned to lower case";
    EXPECT_FALSE(CodeTablesSettings::passwordMatches("slw "));
    EXPECT_FALSE(CodeTablesSettings::passwordMatches(""));
    EXPECT_EQ(CodeTablesSettings::applyQuestion(0),
              "Displayed settings for\r\n\"Using Code Tables\"\r\nwill be applied "
              "to ALL Operators.\r\n\r\nDo you want to proceed?");
    EXPECT_EQ(CodeTablesSettings::applyQuestion(2),
              "Displayed setting for\r\n\"Showing Windows Menu\"\r\nwill be "
              "applied to ALL Operators.\r\n\r\nDo you want to proceed?");
}

TEST_F(CodeTablesSettingsTest, SystemSaveSendsOnlyTheChangedCodeTableValuesWithoutClosingBar)
{
    quillon->stringReplies[std::string(CodeTablesSettings::systemRequest)] = "USECT=1,KEEPCTLOC=1,LOADCTLOGIN=0,";
    quillon->stringReplies["|SET|SYS|USECT=0"] = "1";
    quillon->stringReplies["|SET|SYS|KEEPCTLOC=0"] = "1";
    CodeTablesSettings page;
    ASSERT_TRUE(page.load());
    page.setValue(ShowAdvanced, true);
    page.setValue(ShowWindowsMenu, true);
    EXPECT_FALSE(page.changed()) << "the advanced and windows menu boxes only feed the apply buttons";
    page.setValue(UseCodeTables, false);
    EXPECT_FALSE(page.values()[KeepLocalCopy]) << "unticking Use Code Tables unticks the boxes below it";
    EXPECT_EQ(page.systemWrites(), (std::vector<std::string> {"|SET|SYS|USECT=0", "|SET|SYS|KEEPCTLOC=0"}));
    ASSERT_TRUE(page.save());
    EXPECT_EQ(writes(), (std::vector<std::string> {"|SET|SYS|USECT=0", "|SET|SYS|KEEPCTLOC=0"}));
    EXPECT_FALSE(page.changed());
}

TEST_F(CodeTablesSettingsTest, ARefusedSystemItemStopsTheRestAndKeepsTheEdits)
{
    quillon->stringReplies[std::string(CodeTablesSettings::systemRequest)] = "USECT=0,KEEPCTLOC=0,LOADCTLOGIN=0,";
    quillon->stringReplies["|SET|SYS|USECT=1"] = "1";
    quillon->stringReplies["|SET|SYS|KEEPCTLOC=1"] = "|ERROR|System Settings|KEEPCTLOC is locked";
    CodeTablesSettings page;
    ASSERT_TRUE(page.load());
    page.setValue(UseCodeTables, true);
    page.setValue(KeepLocalCopy, true);
    page.setValue(LoadAllAtLogin, true);
    EXPECT_FALSE(page.save());
    EXPECT_EQ(writes(), (std::vector<std::string> {"|SET|SYS|USECT=1", "|SET|SYS|KEEPCTLOC=1"}));
    ASSERT_EQ(utils->messages.size(), 1u);
    EXPECT_EQ(utils->messages.back().text, "KEEPCTLOC is locked");
    EXPECT_TRUE(page.values()[KeepLocalCopy]) << "the edits stay";
    EXPECT_EQ(page.systemWrites(), (std::vector<std::string> {"|SET|SYS|KEEPCTLOC=1", "|SET|SYS|LOADCTLOGIN=1"}))
        << "what the server took is not sent again";
}

TEST_F(CodeTablesSettingsTest, AFailedSystemReadKeepsTheCoverAndSaysSo)
{
    quillon->failWhen = [](const std::string& request) {
        return request == CodeTablesSettings::systemRequest;
    };
    prompter->expect(PromptAnswer::Ok);
    CodeTablesSettings page;
    EXPECT_FALSE(page.load());
    EXPECT_EQ(prompter->prompts.back().text,
              "mComm.GetServerStringData failed in frmSysSettings.ShowCodeForCodeTables");
    page.setValue(UseCodeTables, true);
    EXPECT_FALSE(page.changed());
    EXPECT_FALSE(page.save());
    EXPECT_TRUE(writes().empty());
}

TEST_F(CodeTablesSettingsTest, AnOperatorsPreferencesComeFromThatOperatorsTextAndKeepTheOtherLines)
{
    quillon->stringReplies["|GET|PREFS|MJONES|"] = "SHOWADVANCED=1\r\nUSECT=1\r\nZOOM=110\r\n";
    quillon->stringReplies["|SET|PREFS|MJONES|SHOWADVANCED=1\r\nSHOWWINMENU=1\r\nUSECT=0\r\nZOOM=110\r\n"] = "1";
    CodeTablesSettings page("MJONES");
    ASSERT_TRUE(page.load());
    EXPECT_EQ(prefsUtils->made, (std::vector<std::string> {"SHOWADVANCED=1\r\nUSECT=1\r\nZOOM=110\r\n"}));
    EXPECT_EQ(page.values(), (CodeTablesValues {true, false, false, true, false}));
    page.setValue(UseCodeTables, false);
    page.setValue(ShowWindowsMenu, true);
    ASSERT_TRUE(page.save());
    EXPECT_EQ(
        writes(),
        (std::vector<std::string> {"|SET|PREFS|MJONES|SHOWADVANCED=1\r\nSHOWWINMENU=1\r\nUSECT=0\r\nZOOM=110\r\n"}));
    EXPECT_EQ(quillon->requests.back(), writes().back());
    EXPECT_FALSE(page.changed());
}

TEST_F(CodeTablesSettingsTest, APreferenceReadThatFailsNeverWritesAnEmptyText)
{
    quillon->stringReplies["|GET|PREFS|MJONES|"] = "USECT=1\r\nZOOM=110\r\n";
    CodeTablesSettings page("MJONES");
    ASSERT_TRUE(page.load());
    page.setValue(ShowAdvanced, true);
    quillon->reachable = false;
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(page.save());
    EXPECT_TRUE(writes().empty()) << "the operator's other preferences are never overwritten by a failed read";
    EXPECT_EQ(prompter->prompts.back().text, "The preferences of MJONES were not saved: server not reached.");
    EXPECT_TRUE(page.changed());

    quillon->reachable = true;
    quillon->stringReplies["|GET|PREFS|MJONES|"] = "|ERROR|Preferences|locked";
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(page.save());
    EXPECT_TRUE(writes().empty());
}

TEST_F(CodeTablesSettingsTest, ApplyToAllGoesOnPastAFailingOperatorAndCopiesOnlyTheGroup)
{
    auto table = std::make_shared<test::FakeCodeTable>();
    table->rows = {{"JSMITH", "JSMITH\tJane Smith"}, {"MJONES", "MJONES\tMark Jones"}, {"LGARCIA", "LGARCIA\tLuis"}};
    codeTables->tables["OP"] = table;
    quillon->stringReplies["|GET|PREFS|JSMITH|"] = "ZOOM=100\r\n";
    quillon->stringReplies["|GET|PREFS|MJONES|"] = "SHOWWINMENU=0\r\n";
    quillon->stringReplies["|GET|PREFS|LGARCIA|"] = "";
    quillon->stringReplies["|SET|PREFS||SHOWWINMENU=1\r\nZOOM=100\r\n"] = "1";
    quillon->stringReplies["|SET|PREFS|MJONES|SHOWWINMENU=1\r\n"] = "|ERROR|Preferences|MJONES is signed in elsewhere";
    quillon->stringReplies["|SET|PREFS|LGARCIA|SHOWWINMENU=1\r\n"] = "1";
    quillon->stringReplies[std::string(CodeTablesSettings::systemRequest)] = "USECT=1,KEEPCTLOC=0,LOADCTLOGIN=0,";
    CodeTablesSettings page;
    ASSERT_TRUE(page.load());
    page.setValue(ShowWindowsMenu, true);

    const ApplyOutcome outcome = page.applyToAll(2);
    EXPECT_TRUE(outcome.started);
    EXPECT_EQ(
        writes(),
        (std::vector<std::string> {"|SET|PREFS||SHOWWINMENU=1\r\nZOOM=100\r\n", "|SET|PREFS|MJONES|SHOWWINMENU=1\r\n",
                                   "|SET|PREFS|LGARCIA|SHOWWINMENU=1\r\n"}))
        << "the signed-in operator's own record goes with an empty user field; USECT is not copied";
    EXPECT_EQ(CodeTablesSettings::applySummary(outcome),
              "Applied to 2 of 3 operators; not saved: MJONES (MJONES is signed in elsewhere)");
    EXPECT_TRUE(utils->messages.empty()) << "one summary, not a message per operator";
}

} // namespace
} // namespace corvane
