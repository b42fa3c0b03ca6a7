#include "CommonRoutines.h"

#include "HostFixture.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

class CommonRoutinesTest : public test::HostFixture { };

TEST_F(CommonRoutinesTest, LookupCodeCheckRefusesBarsAndHighCharactersWithTheirMessages)
{
    EXPECT_TRUE(LookupCodeIsValid("", false));
    EXPECT_TRUE(LookupCodeIsValid("AB 12", false));
    EXPECT_TRUE(utils->messages.empty());

    EXPECT_FALSE(LookupCodeIsValid("A|B", false));
    ASSERT_EQ(utils->messages.size(), 1u);
    EXPECT_EQ(utils->messages[0].title, "Invalid Format");
    EXPECT_EQ(utils->messages[0].text, "Invalid characters.\r\nFollowing characters \r\n|\r\n are illegal in Lookups.");

    EXPECT_FALSE(LookupCodeIsValid("Caf\xE9\x80", false));
    ASSERT_EQ(utils->messages.size(), 2u);
    EXPECT_EQ(utils->messages[1].text, "Invalid characters.\r\n\xE9 is illegal in Lookups.");

    EXPECT_FALSE(LookupCodeIsValid("\x7F", true));
    EXPECT_EQ(utils->messages.size(), 2u) << "quiet shows nothing";
}

TEST_F(CommonRoutinesTest, FoundInStringMatchesWholePiecesCaseSensitively)
{
    EXPECT_TRUE(FoundInString("A,B,C", "B", ","));
    EXPECT_FALSE(FoundInString("A,B,C", "b", ","));
    EXPECT_TRUE(FoundInString("AB", "AB", ","));
    EXPECT_FALSE(FoundInString("AB", "A", ","));
    EXPECT_FALSE(FoundInString("A,BC", "B", ","));
    EXPECT_FALSE(FoundInString("", "A", ","));
    EXPECT_FALSE(FoundInString("A", "", ","));
    EXPECT_FALSE(FoundInString("A", "A", ""));
    EXPECT_TRUE(FoundInString("A;;B", "B", ";;"));
}

TEST_F(CommonRoutinesTest, TypeOfEntitiesReadsTheSecondFieldAndStopsEarly)
{
    auto table = std::make_shared<test::FakeCodeTable>();
    codeTables->tables["PRM"] = table;
    const auto row = [](const std::string& fields) {
        return std::vector<std::string> {"", fields};
    };

    table->rows = {row("E1\tY"), row("E2\tN"), row("E3\tY")};
    EXPECT_EQ(TypeOfEntitiesInSystem(), "M");
    table->rows = {row("E1\tY"), row("E2\tY")};
    EXPECT_EQ(TypeOfEntitiesInSystem(), "A");
    table->rows = {row("E1\tN"), row("E2\ty"), row("single")};
    EXPECT_EQ(TypeOfEntitiesInSystem(), "N") << "only an exact Y counts; rows of one field are skipped";
    table->rows = {};
    EXPECT_EQ(TypeOfEntitiesInSystem(), "N");
    EXPECT_EQ(codeTables->prepared.back(), "PRM");
}

TEST_F(CommonRoutinesTest, TypeOfEntitiesWithoutTheTableSaysSo)
{
    codeTables->tables["PRM"] = nullptr;
    prompter->expect(PromptAnswer::Ok);
    EXPECT_EQ(TypeOfEntitiesInSystem(), "");
    EXPECT_EQ(prompter->prompts[0].text, "Error getting Entity table");
    EXPECT_EQ(prompter->prompts[0].title, utils->title);
    EXPECT_EQ(prompter->prompts[0].icon, PromptIcon::Critical);
}

/// A table whose rows come back or not, as told.
class FlakyCodeTable final : public CodeTable {
public:
    bool fetchesRows = true;
    bool GetRows(const std::string&, std::vector<std::vector<std::string>>& rows) override
    {
        rows = {{"", "E1\tN"}};
        return fetchesRows;
    }
};

/// A code-tables component that prepares its one table or not, as told.
class FlakyCodeTables final : public CorvaneCodeTables {
public:
    bool prepares = true;
    std::shared_ptr<FlakyCodeTable> table = std::make_shared<FlakyCodeTable>();
    bool PrepareTable(const std::string&) override { return prepares; }
    std::shared_ptr<CodeTable> GetTable(const std::string&, long) override { return table; }
};

TEST_F(CommonRoutinesTest, TypeOfEntitiesIsEmptyWhenThePrmTableCannotBePreparedOrRead)
{
    auto tables = std::make_shared<FlakyCodeTables>();
    SharedState::instance().codeTables = tables;
    EXPECT_EQ(TypeOfEntitiesInSystem(), "N");

    // Rows that never came would otherwise read as "no anesthesia entities" and hide them.
    tables->table->fetchesRows = false;
    EXPECT_EQ(TypeOfEntitiesInSystem(), "");
    ASSERT_EQ(utils->logLines.size(), 1u);
    EXPECT_EQ(utils->logLines[0].rfind("Error in TypeOfEntitiesInSystem ", 0), 0u) << utils->logLines[0];

    tables->table->fetchesRows = true;
    tables->prepares = false;
    EXPECT_EQ(TypeOfEntitiesInSystem(), "");
    ASSERT_EQ(utils->logLines.size(), 2u);
    EXPECT_EQ(utils->logLines[1].rfind("Error in TypeOfEntitiesInSystem ", 0), 0u) << utils->logLines[1];
    EXPECT_EQ(GetCodeTable("PRM", 0), nullptr) << "an unprepared table is not handed out";
    EXPECT_TRUE(prompter->prompts.empty()) << "failures are logged, not shown";
}

TEST_F(CommonRoutinesTest, GeneralLookupRebuildsTheResultWithTheEntryNumber)
{
    utils->definitions["DG"] = {"Diagnosis", "DGCODE", 4};
    lookups->result = "250.00 -Diabetes mellitus";
    lookups->number = 17;
    int refreshed = 0;
    LookupCall call;
    call.insertNumber = true;
    EXPECT_EQ(GeneralLookup("DG|ACTIVE", call, [&] { ++refreshed; }), "250.00|17 -Diabetes mellitus");
    EXPECT_EQ(refreshed, 1);
    EXPECT_EQ(lookups->lastSetup.request, "DG|ACTIVE");
    EXPECT_EQ(lookups->lastSetup.definitionFirst, "Diagnosis");
    EXPECT_EQ(lookups->lastSetup.definitionNumber, 4);
    EXPECT_EQ(lookups->lastSetup.separator, " -");
    EXPECT_EQ(lookups->lastSetup.contextKey, "CTX-1");
    EXPECT_EQ(lookups->lastSetup.currentValue, "LAST");
    EXPECT_EQ(lookups->calls, (std::vector<std::string> {"setup", "lookup", "number", "description"}))
        << "both questions about the chosen entry, in order";

    call.insertNumber = false;
    EXPECT_EQ(GeneralLookup("DG", call), "250.00 -Diabetes mellitus");
}

TEST_F(CommonRoutinesTest, GeneralLookupWithAnUnknownDefinitionLogsBeepsAndGoesOn)
{
    lookups->result = "CANCEL";
    EXPECT_EQ(GeneralLookup("NOPE", LookupCall {}), "CANCEL");
    EXPECT_TRUE(logged("Code definition is not found in GeneralLookup - CorvaneDialogs"));
    EXPECT_EQ(prompter->beeps, 1);
    EXPECT_EQ(lookups->lastSetup.definitionFirst, "");
    EXPECT_EQ(lookups->calls, (std::vector<std::string> {"setup", "lookup"})) << "no number read after CANCEL";
}

TEST_F(CommonRoutinesTest, GeneralLookupWithoutItsComponentsLogsAndCancels)
{
    SharedState::instance().lookups = nullptr;
    EXPECT_EQ(GeneralLookup("DG", LookupCall {}), "CANCEL");
    ASSERT_EQ(utils->logLines.size(), 1u);
    EXPECT_EQ(utils->logLines[0].rfind("ERR in CorvaneDialogs.LookupMgr.GeneralLookup   ", 0), 0u)
        << utils->logLines[0];
}

TEST(CommonRoutines, FontCodesSelectSizeAndStyle)
{
    const auto bold10 = fontSpecForCode('4');
    ASSERT_TRUE(bold10);
    EXPECT_EQ(bold10->pointSize, 10);
    EXPECT_TRUE(bold10->bold);
    EXPECT_FALSE(bold10->italic);
    const auto italic12 = fontSpecForCode('8');
    ASSERT_TRUE(italic12);
    EXPECT_EQ(italic12->pointSize, 12);
    EXPECT_TRUE(italic12->italic);
    EXPECT_FALSE(fontSpecForCode('9'));
    EXPECT_FALSE(fontSpecForCode('k'));
}

} // namespace
} // namespace corvane
