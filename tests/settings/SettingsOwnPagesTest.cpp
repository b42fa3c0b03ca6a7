#include "DemoDefaults.h"
#include "HeaderLayout.h"
#include "WorkflowImages.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

const std::string headerReply = "NAME\tPatient Name\xE6"
                                "DOB\tDate of Birth\xE6"
                                "BAL\tAccount Balance\r\n"
                                "NAME\xE6"
                                "DOB\xE6"
                                "XFIELD\tW=9\xE6\xE6"
                                "BAL\tRED\xE6"
                                "DOB\r\n";

TEST(HeaderLayoutTest, SlotsFillWholeRowsAndUnknownFieldsAndOptionsGoBackUnchanged)
{
    HeaderLayout layout;
    ASSERT_TRUE(layout.read(headerReply));
    EXPECT_EQ(layout.fields().size(), 3u);
    EXPECT_EQ(layout.rows(), 2u);
    EXPECT_EQ(layout.slotCount(), 10u);
    EXPECT_EQ(layout.code(2), "XFIELD");
    EXPECT_EQ(layout.captionOf("XFIELD"), "XFIELD");
    EXPECT_EQ(layout.code(3), "");
    EXPECT_FALSE(layout.changed());
    EXPECT_EQ(layout.saveRequest(false),
              "|SET|PATSET|DEFAULT|||NAME\xE6"
              "DOB\xE6XFIELD\tW=9\xE6\xE6"
              "BAL\tRED\xE6"
              "DOB");

    layout.setSlot(4, "BAL");
    EXPECT_EQ(layout.entry(4), "BAL\tRED") << "a slot keeps its options while it keeps its field";
    layout.setSlot(2, "NAME");
    EXPECT_EQ(layout.entry(2), "NAME");
    EXPECT_EQ(*layout.refusal(), "Patient Name is placed in the header twice.");
    layout.setSlot(2, "");
    layout.setSlot(5, "");
    EXPECT_FALSE(layout.refusal());
    EXPECT_EQ(layout.saveRequest(true),
              "|SET|PATSET|DEFAULT||ALL|NAME\xE6"
              "DOB\xE6\xE6\xE6"
              "BAL\tRED");
}

TEST(HeaderLayoutTest, RowsAreAddedAndRemovedWithinLimitsAndErrorsAreNotLayouts)
{
    HeaderLayout layout;
    ASSERT_TRUE(layout.read("NAME\tPatient Name\r\nNAME"));
    EXPECT_EQ(layout.rows(), 1u);
    EXPECT_FALSE(layout.removeRow(0)) << "one row always stays";
    while (layout.addRow()) { }
    EXPECT_EQ(layout.rows(), HeaderLayout::maxRows);
    layout.setSlot(15, "NAME");
    layout.setSlot(0, "");
    EXPECT_TRUE(layout.removeRow(3));
    EXPECT_EQ(*layout.refusal(), "Place at least one field in the header.");
    EXPECT_FALSE(layout.read("ERROR: no header"));
    EXPECT_FALSE(layout.read("|ERROR|Configure Header|locked"));
}

const std::string demoReply = "LNAME\tLast Name\t\tL\t0\t1\t1\xE6"
                              "STATE\tState\tIL\t\t0\t1\t0\tMAXLEN=2\xE6"
                              "MARITAL\tMarital Status\t\t\t1\t0\t0\xE6"
                              "SHORT\tShort Row\xE6";

TEST(DemoDefaultsTest, UnknownFieldsAndShortRowsSurviveAndOnlyEditedCellsChange)
{
    DemoDefaults model;
    ASSERT_TRUE(model.read(demoReply));
    ASSERT_EQ(model.rows().size(), 4u);
    EXPECT_FALSE(model.changed());
    EXPECT_FALSE(model.set(1, DemoDefaults::Value, "WI"));
    EXPECT_TRUE(model.changed());
    EXPECT_EQ(model.saveRequest(),
              "|SET|DMDF|LNAME\tLast Name\t\tL\t0\t1\t1\xE6"
              "STATE\tState\tWI\t\t0\t1\t0\tMAXLEN=2\xE6"
              "MARITAL\tMarital Status\t\t\t1\t0\t0\xE6"
              "SHORT\tShort Row\t\t\t0\t0\t0");
    EXPECT_FALSE(model.read("ERROR: demographics locked"));
    EXPECT_FALSE(model.read(""));
}

TEST(DemoDefaultsTest, KeysAreUniqueInAnyCaseAndAHiddenFieldIsNeverRequired)
{
    DemoDefaults model;
    ASSERT_TRUE(model.read(demoReply));
    EXPECT_EQ(model.set(1, DemoDefaults::Key, "l")->message, "Key L is already used by Last Name.");
    EXPECT_EQ(model.set(1, DemoDefaults::Key, "ST")->message, "The key of State is one letter or digit.");
    EXPECT_FALSE(model.set(1, DemoDefaults::Key, "s"));
    EXPECT_EQ(model.rows()[1].field(DemoDefaults::Key), "S");
    EXPECT_EQ(model.set(0, DemoDefaults::Hide, "1")->message, "Last Name is required, so it cannot be hidden.");
    EXPECT_EQ(model.set(2, DemoDefaults::Required, "1")->message,
              "Marital Status is hidden, so it cannot be required.");
    EXPECT_TRUE(model.set(1, DemoDefaults::Value, "Kj\xE6r"));
    EXPECT_TRUE(model.set(0, DemoDefaults::Caption, "Surname")) << "the field's caption is not the page's to change";

    DemoDefaults fromServer;
    ASSERT_TRUE(fromServer.read("A\tAlpha\t\tK\t0\t0\t0\xE6"
                                "B\tBeta\t\tk\t1\t0\t1"));
    EXPECT_EQ(fromServer.validate()->message, "Key k is used by Alpha and by Beta.");
}

TEST(WorkflowImagesTest, ValuesRoundTripWithFlagsAndFieldsThisPageDoesNotKnow)
{
    for (const char* value : {"*:*", "INS,REF,LAB:O:90", "INS:OCPZ:X=1:30", "*:C:*", "*:abc"})
        EXPECT_EQ(WorkflowImages::parse(value).text(), value);
    const WorkflowImages parsed = WorkflowImages::parse("INS,REF:OZ:90");
    EXPECT_FALSE(parsed.allTypes);
    EXPECT_EQ(parsed.types, (std::vector<std::string> {"INS", "REF"}));
    EXPECT_TRUE(parsed.hasFlag('O'));
    EXPECT_FALSE(parsed.hasFlag('C'));
    EXPECT_EQ(parsed.days, 90);
    EXPECT_EQ(WorkflowImages::parse("").text(), "*:*");

    WorkflowImages edited = parsed;
    edited.setFlag('O', false);
    edited.setFlag('P', true);
    edited.days.reset();
    EXPECT_EQ(edited.text(), "INS,REF:ZP:*") << "an unknown flag letter stays";
    edited.types.clear();
    EXPECT_TRUE(edited.refusal());
    edited.allTypes = true;
    EXPECT_FALSE(edited.refusal());
    edited.types = {"A,B"};
    edited.allTypes = false;
    EXPECT_TRUE(edited.refusal());
}

} // namespace
} // namespace corvane
