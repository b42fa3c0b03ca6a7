#include "TransGroups.h"
#include "TransSettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace corvane {
namespace {

// Test replies are written with "~" for the record separator, byte 230.
std::string wire(std::string text)
{
    std::replace(text.begin(), text.end(), '~', static_cast<char>(230));
    return text;
}

const std::string groupsReply = wire("DOS-Date of service:PROV-Rendering provider:LOC-Location:CPT-Procedure code:"
                                     "ANES-Start-stop times~"
                                     "CLIN\tDOS\tPROV\t\t~CHRG\tCPT\tOLD\t\t~");

TEST(TransGroups, ReadsTheFieldListAndTheGroupRows)
{
    EXPECT_EQ(TransGroups::readRequest(false), "|GET|MODG|0");
    EXPECT_EQ(TransGroups::readRequest(true), "|GET|MODG|1");

    TransGroups groups;
    ASSERT_TRUE(groups.load(groupsReply));
    ASSERT_EQ(groups.fields().size(), 5u);
    EXPECT_EQ(groups.fields()[4].code, "ANES");
    EXPECT_EQ(groups.fields()[4].description, "Start-stop times") << "an entry is split at its first dash";
    EXPECT_EQ(groups.choiceList(),
              "\nDOS-Date of service\nPROV-Rendering provider\nLOC-Location\n"
              "CPT-Procedure code\nANES-Start-stop times");
    ASSERT_EQ(groups.rowCount(), 5) << "two rows received, five shown";
    EXPECT_EQ(groups.display(0, 0), "CLIN");
    EXPECT_EQ(groups.display(0, 1), "DOS-Date of service");
    EXPECT_EQ(groups.display(1, 2), "OLD") << "a code the list does not offer is shown as received";
    EXPECT_EQ(groups.display(3, 1), "");

    TransGroups leadingEmpty;
    ASSERT_TRUE(leadingEmpty.load(wire("~") + groupsReply));
    EXPECT_EQ(leadingEmpty.saveData(), groups.saveData()) << "one empty leading record is skipped";

    TransGroups wide;
    ASSERT_TRUE(wide.load(wire("DOS-Date of service~G1\tDOS~G2\tA\tB\tC\tD\tE\tF~")));
    EXPECT_TRUE(wide.shortRow(0));
    EXPECT_FALSE(wide.shortRow(1));
    EXPECT_EQ(wide.saveData(), wire("G1\tDOS\t\t\t~G2\tA\tB\tC\tD\tE\tF~\t\t\t\t~\t\t\t\t~\t\t\t\t"))
        << "codes beyond the shown columns go back as they came";
}

TEST(TransGroups, SavesCodesNotDisplayTextsAndRefusesAFieldTwice)
{
    TransGroups groups;
    ASSERT_TRUE(groups.load(groupsReply));
    const std::string empty = wire("~\t\t\t\t~\t\t\t\t~\t\t\t\t");
    EXPECT_EQ(groups.saveRequest(false), "|SET|MODG|0|" + wire("CLIN\tDOS\tPROV\t\t~CHRG\tCPT\tOLD\t\t") + empty);
    EXPECT_FALSE(groups.changed());

    EXPECT_TRUE(groups.heldElsewhere("DOS", 1, 3));
    EXPECT_FALSE(groups.heldElsewhere("DOS", 0, 1)) << "the cell itself";
    EXPECT_FALSE(groups.setCode(1, 3, "DOS"));
    EXPECT_FALSE(groups.setCode(1, 0, "LOC")) << "the group column is not chosen from the field list";
    EXPECT_FALSE(groups.setCode(9, 1, "LOC"));
    EXPECT_FALSE(groups.changed());
    ASSERT_TRUE(groups.setCode(1, 3, "LOC"));
    ASSERT_TRUE(groups.setCode(0, 1, ""));
    EXPECT_TRUE(groups.changed());
    EXPECT_EQ(groups.saveData(), wire("CLIN\t\tPROV\t\t~CHRG\tCPT\tOLD\tLOC\t") + empty);

    TransGroups none;
    ASSERT_TRUE(none.load(wire("DOS-Date of service~\t\t\t\t~")));
    EXPECT_EQ(none.saveRequest(true), "|SET|MODG|1|") << "no cell holds a code: the empty text";

    for (const char* failed : {"", "Error: no groups", "ERROR", "|OK||Error"}) {
        TransGroups broken;
        EXPECT_FALSE(broken.load(failed)) << failed;
        EXPECT_EQ(broken.rowCount(), 0) << failed;
    }
}

const std::string settingsReply
    = wire("DOS\tDate of service\t1~PROV\tRendering provider\t0~HID\t\t1~~"
           "CLIN\tDate of service\tRendering provider\t\t\t5\t0~CHRG\tCharge amount\t\t\t\t  \t1~");

TEST(TransSettings, ReadsFieldsInTheServersOrderAndGroupLimits)
{
    EXPECT_EQ(TransSettings::readRequest("O", "MJONES", true), "|GET|MODS|O|MJONES|1");
    EXPECT_EQ(TransSettings::readRequest("G", "3", false), "|GET|MODS|G|3|0");

    TransSettings settings;
    ASSERT_TRUE(settings.load(settingsReply));
    ASSERT_EQ(settings.fields().size(), 3u);
    EXPECT_EQ(settings.fields()[0].id, "DOS");
    EXPECT_TRUE(settings.fields()[0].allowed);
    EXPECT_FALSE(settings.fields()[1].allowed);
    EXPECT_FALSE(settings.fields()[2].shown());
    ASSERT_EQ(settings.groups().size(), 2u);
    EXPECT_EQ(settings.groups()[0].code, "CLIN");
    EXPECT_EQ(settings.groups()[0].description(), "Date of service, Rendering provider");
    EXPECT_EQ(settings.groups()[0].days, "5");
    EXPECT_FALSE(settings.groups()[0].endOfMonth);
    EXPECT_EQ(settings.groups()[1].days, "") << "a blank mask is an empty field, not 0";
    EXPECT_TRUE(settings.groups()[1].endOfMonth);

    TransSettings none;
    ASSERT_TRUE(none.load(wire("DOS\tDate of service\t1~~")));
    EXPECT_TRUE(none.groups().empty());
}

TEST(TransSettings, SavesEveryFieldInOrderAndFiveGroups)
{
    TransSettings settings;
    ASSERT_TRUE(settings.load(settingsReply));
    const std::string missing = wire("~\t\t\t\t\t\t0");
    EXPECT_EQ(settings.saveRequest("O", "MJONES", false),
              "|SET|MODS|O|MJONES|0|" + wire("DOS\t\t1~PROV\t\t0~HID\t\t1~~CLIN\t\t\t\t\t5\t0~CHRG\t\t\t\t\t\t1")
                  + missing + missing + missing);

    settings.allowAllShown(false);
    settings.fields()[2].allowed = false; // a hidden field cannot be changed from the page
    settings.groups()[0].days = TransSettings::daysFromMask(" 1 0");
    EXPECT_EQ(settings.saveData(),
              wire("DOS\t\t0~PROV\t\t0~HID\t\t1~~CLIN\t\t\t\t\t10\t0~CHRG\t\t\t\t\t\t1") + missing + missing + missing)
        << "a hidden field sends what it came with";

    TransSettings empty;
    ASSERT_TRUE(empty.load(wire("~~")));
    EXPECT_EQ(empty.saveData(), wire("~~\t\t\t\t\t\t0") + missing + missing + missing + missing)
        << "the part break is sent even without field records";

    for (const char* failed : {"", "Error: no operator", " error in MODS"}) {
        TransSettings broken;
        EXPECT_FALSE(broken.load(failed)) << failed;
    }
}

} // namespace
} // namespace corvane
