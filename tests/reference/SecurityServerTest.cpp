#include "EntityAccess.h"
#include "ModuleAccess.h"
#include "PracticeServer.h"
#include "SecurityCopy.h"
#include "SecurityPrograms.h"
#include "SecurityRights.h"
#include "TempDir.h"
#include "TransGroups.h"
#include "TransSettings.h"

#include <gtest/gtest.h>

#include <map>

namespace corvane::reference {
namespace {

using test::Rights;

class SecurityServerTest : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string path = dir.file("practice.db");
    PracticeServer server {path};

    std::string ask(const std::string& request, const std::string& who = "JSMITH")
    {
        return server.answerString(request, who);
    }
    Rights rights(const std::string& kind, const std::string& code) { return test::serverRights(server, kind, code); }
    std::map<std::string, Rights> everyone() { return test::everyonesRights(server); }
};

TEST_F(SecurityServerTest, ModuleAccessLoadsSavesAndReloadsWithTheChange)
{
    ModuleAccess page;
    ASSERT_EQ(page.load(server.answerLines("|GET|SECL|O|MJONES|", "JSMITH"), true), ModuleAccess::Load::Rows);
    ASSERT_GE(page.groups().size(), 5u);
    EXPECT_TRUE(page.isHeader(1));
    EXPECT_EQ(page.row(1).module, "WIN");
    EXPECT_EQ(page.column(2).shownWidth(2), 32);

    int prgl = 0;
    int aging = 0;
    for (int r = 1; r <= page.rowCount(); ++r) {
        if (page.row(r).program == "PRGL")
            prgl = r;
        if (page.row(r).program == "AGING")
            aging = r;
    }
    ASSERT_GT(prgl, 0);
    ASSERT_GT(aging, 0);
    EXPECT_TRUE(page.access(prgl, 6).locked) << "the catalogue fixes PRGL's delete right";
    EXPECT_EQ(rights("O", "MJONES")["AGING"], "1000");

    ASSERT_TRUE(page.click(aging, 3)) << "close AGING";
    ASSERT_TRUE(page.click(page.groups()[static_cast<std::size_t>(page.groupOf(prgl))].firstRow, 3));
    const auto request = page.saveRequest("O", "MJONES");
    ASSERT_TRUE(request);
    EXPECT_EQ(ask(*request), "1");

    const Rights after = rights("O", "MJONES");
    EXPECT_EQ(after.at("AGING"), "0000");
    EXPECT_EQ(after.at("PRGL"), "1110") << "opened in full, but the locked delete right stays as it was";
    EXPECT_EQ(after.at("SECURITY"), "1010");
    PracticeServer reopened(path);
    ModuleAccess again;
    ASSERT_EQ(again.load(reopened.answerString("|GET|SECL|O|MJONES|", "JSMITH"), true), ModuleAccess::Load::Rows);
    EXPECT_EQ(again.saveData(), page.saveData()) << "what was saved is what a reload shows";
}

TEST_F(SecurityServerTest, LockedRightsCannotBeChangedAndReadOnlyOwnersAreRefused)
{
    const Rights mjones = rights("O", "MJONES");
    EXPECT_EQ(ask("|SET|SECL|G|2|\tPRGL\t\t1\t1\t1\t1\xE6"), "1");
    EXPECT_EQ(rights("G", "2").at("PRGL"), "1110") << "delete is locked for PRGL";

    EXPECT_EQ(ask("|SET|SECL|O|VQ|\tSTW\t\t1\t1\t1\t1\xE6"), "|ERROR|Module Access|Settings for VQ are read only.");
    EXPECT_EQ(ask("|SET|SECL|O|MJONES|\tSTW\t\t1\t1\t1\t1\xE6", "LGARCIA"),
              "|ERROR|Module Access|You may not change security settings.");
    EXPECT_EQ(ask("|SET|SECL|O|MJONES|"), "|ERROR|Module Access|No program rights were sent:nothing was saved.");
    EXPECT_EQ(ask("|SET|SECL|O|MJONES|\tNOPE\t\t1\t1\t1\t1\xE6").rfind("Error: no security program NOPE", 0), 0u);
    EXPECT_EQ(ask("|SET|SECL|O|MJONES|\tSTW\t\t1\t1\t1\t1\xE6\tAGING\t\t1\t2\t1\t1\xE6").rfind("Error:", 0), 0u);
    EXPECT_EQ(rights("O", "MJONES"), mjones) << "a refused save changes nothing, not even its good rows";
}

TEST_F(SecurityServerTest, MalformedRequestsGetErrorRepliesInTheFormsThePagesRead)
{
    for (const char* request : {"|GET|SECL|O|NOBODY|", "|GET|SECL|G|10|", "|GET|SECL|S||", "|GET|SECL|",
                                "|GET|MODS|O|NOBODY|1", "|GET|MODS|O|MJONES|2", "|GET|MODG|7", "|GET|OPENT|NOBODY"}) {
        const auto lines = server.answerLines(request, "JSMITH");
        ASSERT_EQ(lines.size(), 2u) << request;
        EXPECT_EQ(lines[0].rfind("Error", 0), 0u) << request;
        ModuleAccess page;
        EXPECT_EQ(page.load(lines, true), ModuleAccess::Load::Failed) << request;
        EXPECT_FALSE(EntityAccess().load(ask(request))) << request;
    }
    for (const char* request :
         {"|SET|SECGD|", "|SET|SECGD|S|", "|SET|SECGD|S|12", "|SET|SECC|U-MJONES|G-3|0|STW", "|SET|SECC|G-3|G-3|0|STW",
          "|SET|SECC|G-3|U-VQ|0|STW", "|SET|SECC|G-3|U-MJONES|0|", "|SET|SECC|X|Y|0|STW", "|SET|SECP|A:B",
          "|SET|SECP|STW:Again:WIN:1:1:1:1:A", "|SET|SECP|NEW:New:XYZ:1:1:1:1:A", "|SET|SECP|NEW:New:RPT:1:1:1:1:S",
          "|SET|MODG|0|G1\tDOS\xE6G2\tDOS\xE6", "|SET|MODG|0|G1\tNOPE\xE6", "|SET|MODG|0|\tDOS\xE6",
          "|SET|MODS|O|MJONES|0|DOS\t\t1", "|SET|OPENT|NOBODY|1\t01"}) {
        const std::string reply = ask(request);
        EXPECT_TRUE(reply.rfind("|ERROR|", 0) == 0 || reply.rfind("Error", 0) == 0) << request << " -> " << reply;
    }
}

TEST_F(SecurityServerTest, EntityAccessRoundTrips)
{
    EntityAccess access;
    ASSERT_TRUE(access.load(ask(EntityAccess::readRequest("RPATEL"))));
    ASSERT_EQ(access.entries().size(), 4u);
    EXPECT_EQ(access.entries()[0].code, "01");
    EXPECT_EQ(access.entries()[0].description, "Riverside Family Medicine");
    EXPECT_TRUE(access.entries()[0].allowed);
    EXPECT_FALSE(access.entries()[2].allowed);
    access.entries()[2].allowed = true;
    EXPECT_EQ(ask(access.saveRequest("RPATEL")), "1");

    EntityAccess reloaded;
    ASSERT_TRUE(reloaded.load(ask(EntityAccess::readRequest("RPATEL"))));
    EXPECT_EQ(reloaded.saveData(), access.saveData());
    EXPECT_EQ(ask("|SET|OPENT|VQ|1\t01"), "|ERROR|Entity Access|Settings for VQ are read only.");
}

TEST_F(SecurityServerTest, TransactionGroupsAndSettingsRoundTrip)
{
    TransGroups groups;
    ASSERT_TRUE(groups.load(ask(TransGroups::readRequest(true))));
    EXPECT_EQ(groups.rowCount(), 5);
    EXPECT_EQ(groups.code(2, 0), "TIME");
    EXPECT_EQ(groups.display(2, 1), "ASTART-Anesthesia start time");
    EXPECT_FALSE(groups.setCode(2, 3, "CRNA")) << "the STAT group holds it";
    ASSERT_TRUE(groups.setCode(3, 2, ""));
    ASSERT_TRUE(groups.setCode(2, 3, "CRNA"));
    EXPECT_EQ(ask(groups.saveRequest(true)), "1");
    TransGroups reloaded;
    ASSERT_TRUE(reloaded.load(ask(TransGroups::readRequest(true))));
    EXPECT_EQ(reloaded.saveData(), groups.saveData());

    TransSettings settings;
    ASSERT_TRUE(settings.load(ask(TransSettings::readRequest("G", "3", false))));
    ASSERT_EQ(settings.fields().size(), 12u);
    EXPECT_EQ(settings.fields()[0].id, "DOS");
    EXPECT_TRUE(settings.fields()[0].allowed);
    EXPECT_FALSE(settings.fields()[9].allowed) << "AMT";
    ASSERT_EQ(settings.groups().size(), 5u);
    EXPECT_EQ(settings.groups()[0].description(), "Date of service, Rendering provider, Referring provider, Location");
    EXPECT_EQ(settings.groups()[0].days, "30");
    EXPECT_TRUE(settings.groups()[2].endOfMonth);

    settings.fields()[9].allowed = true;
    settings.groups()[1].days = "";
    settings.groups()[4].endOfMonth = true;
    EXPECT_EQ(ask(settings.saveRequest("G", "3", false)), "1");
    TransSettings again;
    ASSERT_TRUE(again.load(ask(TransSettings::readRequest("G", "3", false))));
    EXPECT_EQ(again.saveData(), settings.saveData());
    EXPECT_EQ(again.groups()[1].days, "") << "empty days stay empty";

    TransSettings other;
    ASSERT_TRUE(other.load(ask(TransSettings::readRequest("O", "TNGUYEN", false))));
    EXPECT_FALSE(other.fields()[9].allowed) << "an operator of group 3 keeps settings of his own";
}

TEST_F(SecurityServerTest, ANewProgramJoinsItsModuleAndTheChosenGroups)
{
    SecurityPrograms list;
    ASSERT_TRUE(list.load(ask(SecurityPrograms::readRequest())));
    const auto modules = list.modules();
    ASSERT_EQ(modules.size(), 5u);
    EXPECT_EQ(modules[0].heading.code, "WIN");
    EXPECT_TRUE(list.unplaced().empty());

    NewSecurityProgram program;
    program.code = "COLLRPT";
    program.description = "Collection report";
    program.type = "RPT";
    program.read = true;
    program.modify = true;
    program.groups[1] = program.groups[4] = true;
    ASSERT_EQ(program.refusal(list, {"RPT", "WIN", "UTL", "BAT", "INT"}), std::nullopt);
    EXPECT_EQ(ask(program.saveRequest()), "1");

    ASSERT_TRUE(list.load(ask(SecurityPrograms::readRequest())));
    for (const auto& module : list.modules()) {
        if (module.heading.code == "RPT") {
            ASSERT_FALSE(module.programs.empty());
            EXPECT_EQ(module.programs.back().code, "COLLRPT");
        }
    }
    EXPECT_EQ(list.modules()[4].heading.code, "INT") << "the modules after it keep their order";
    EXPECT_EQ(rights("G", "1").at("COLLRPT"), "1010");
    EXPECT_EQ(rights("O", "DKIM").at("COLLRPT"), "1010") << "an operator of group 4";
    EXPECT_EQ(rights("O", "MJONES").at("COLLRPT"), "0000");
    EXPECT_EQ(ask(program.saveRequest()), "|ERROR|Security Programs|Program COLLRPT already exists.");
}

TEST_F(SecurityServerTest, CopyChangesExactlyItsTargetAndPrograms)
{
    const auto before = everyone();
    const auto request = SecurityCopy::copyRequest({true, "3"}, {false, "MJONES"}, true, {"WIN", "STW", "COLAI"});
    ASSERT_TRUE(request);
    EXPECT_EQ(ask(*request), "1");
    const auto after = everyone();
    for (const auto& [owner, programs] : before) {
        if (owner != "O MJONES") {
            EXPECT_EQ(after.at(owner), programs) << owner;
            continue;
        }
        for (const auto& [program, flags] : programs) {
            const std::string& expected = program == "STW" || program == "COLAI" ? before.at("G 3").at(program) : flags;
            EXPECT_EQ(after.at(owner).at(program), expected) << program;
        }
    }
    ASSERT_NE(before.at("O MJONES").at("COLAI"), before.at("G 3").at("COLAI")) << "the copy had something to change";

    // Operator to operator with entity access.
    EntityAccess source;
    ASSERT_TRUE(source.load(ask(EntityAccess::readRequest("LGARCIA"))));
    EntityAccess untouched;
    ASSERT_TRUE(untouched.load(ask(EntityAccess::readRequest("DKIM"))));
    EXPECT_EQ(ask(*SecurityCopy::copyRequest({false, "LGARCIA"}, {false, "SBROWN"}, true, {})), "1");
    EntityAccess target;
    ASSERT_TRUE(target.load(ask(EntityAccess::readRequest("SBROWN"))));
    EXPECT_EQ(target.saveData(), source.saveData());
    EntityAccess still;
    ASSERT_TRUE(still.load(ask(EntityAccess::readRequest("DKIM"))));
    EXPECT_EQ(still.saveData(), untouched.saveData());
    EXPECT_EQ(everyone(), after) << "entity access alone leaves every right as it was";
}

TEST_F(SecurityServerTest, DistributeGivesExactlyTheChosenGroupsOperatorsTheirGroupsRights)
{
    // AOKAFOR (group 1) and RPATEL (group 5) drift from their groups first.
    for (const char* op : {"AOKAFOR", "RPATEL"})
        ASSERT_EQ(ask(std::string("|SET|SECL|O|") + op + "|\tSTW\t\t0\t0\t0\t0\xE6\tFAXQ\t\t0\t0\t0\t0\xE6"), "1");
    const auto before = everyone();
    std::array<bool, 10> chosen {};
    chosen[1] = chosen[4] = true;
    EXPECT_EQ(ask(*SecurityCopy::distributeRequest(chosen)), "1");
    const auto after = everyone();
    for (const auto& [owner, programs] : before) {
        (void)programs;
        const std::string source = owner == "O AOKAFOR" ? "G 1" : owner == "O DKIM" ? "G 4" : owner;
        EXPECT_EQ(after.at(owner), before.at(source)) << owner;
    }
    EXPECT_NE(before.at("O AOKAFOR"), after.at("O AOKAFOR"));
    EXPECT_EQ(after.at("O RPATEL").at("STW"), "0000") << "group 5 was not distributed";
}

} // namespace
} // namespace corvane::reference
