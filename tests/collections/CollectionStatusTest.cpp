#include "CollectionStatus.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

const std::string fullRecord = "L60^Self-pay 60 to 89 days:Robert Chen:10452:1:S::::S^11/01/2026,11/30/2026:"
                               "I^PM01,PM02,A3,A4,A5:E^M1,M2,M3,M4,M5:S^1234,500000:S^30,120:I^X1,X2,X3,X4,X5:"
                               "E^Y1,Y2,Y3,Y4,Y5:A^,,,,:Y^PM10,12/01/2026:Y^10/01/2026,10/31/2026";

CollectionSettings loaded(const std::string& record)
{
    CollectionSettings settings;
    CollectionStatus::load(record, settings);
    return settings;
}

std::string saved(const CollectionSettings& settings, bool reset = false)
{
    int invalid = 0;
    bool ok = false;
    std::string record = CollectionStatus::reassemble(settings, reset, invalid, ok);
    EXPECT_TRUE(ok);
    return record;
}

TEST(CollectionStatus, ShortOrColonlessRecordsLoadAsAllEmpty)
{
    for (const char* record : {"", "L60^List:x:y:12", "0123456789abcdefghij"}) {
        EXPECT_EQ(CollectionStatus::normalise(record), ":::::::::::::::::") << record;
        const CollectionSettings settings = loaded(record);
        EXPECT_EQ(settings.listCode, "");
        EXPECT_EQ(settings.accountLabel(), "NONE");
        EXPECT_FALSE(settings.selectedMode);
        for (std::size_t i = 0; i < 8; ++i)
            EXPECT_EQ(settings.groups[i].letter, 'A') << i;
        EXPECT_EQ(settings.groups[8].letter, 'N') << "Yes or No: a value without a caret chooses No";
    }
    EXPECT_EQ(CollectionStatus::normalise("L60^List:x:y:1234"), "L60^List:x:y:1234") << "17 characters with a colon";
}

TEST(CollectionStatus, AFullRecordRoundTripsUnchanged)
{
    const CollectionSettings settings = loaded(fullRecord);
    EXPECT_EQ(settings.listCode, "L60");
    EXPECT_EQ(settings.listDescription, "Self-pay 60 to 89 days");
    EXPECT_EQ(settings.accountLabel(), "10452/1");
    EXPECT_TRUE(settings.selectedMode);
    EXPECT_TRUE(settings.postMessage);
    EXPECT_EQ(settings.messageCode, "PM10");
    EXPECT_EQ(settings.messageDate, "12/01/2026");
    EXPECT_EQ(settings.groups[3].inputs[0], "$12.34");
    EXPECT_EQ(settings.groups[3].inputs[1], "$5,000.00");
    EXPECT_EQ(settings.groups[8].letter, 'Y');
    EXPECT_EQ(saved(settings), fullRecord);
}

TEST(CollectionStatus, CodeGroupsNeedFourPiecesAndEveryGroupAComma)
{
    CollectionSettings settings = loaded(fullRecord);
    std::string record = fullRecord;
    record.replace(record.find("I^PM01,PM02,A3,A4,A5"), 20, "E^Z1,Z2,Z3");
    record.replace(record.find("S^30,120"), 8, "S^45");
    CollectionStatus::load(record, settings);
    EXPECT_EQ(settings.groups[1].letter, 'E') << "the letter is always taken";
    EXPECT_EQ(settings.groups[1].inputs[0], "PM01") << "three pieces leave the inputs as they were";
    EXPECT_EQ(settings.groups[4].inputs[0], "30") << "no comma leaves the inputs as they were";
}

TEST(CollectionStatus, AmountsTravelInExactCents)
{
    CollectionSettings settings;
    settings.groups[3] = {'S', {"$1,234.50", " 0.29 "}};
    const auto fields = CollectionStatus::fields(saved(settings));
    EXPECT_EQ(fields[11], "S^123450,29");
    settings.groups[3] = {'S', {"", ""}};
    EXPECT_EQ(CollectionStatus::fields(saved(settings))[11], "S^,") << "an empty amount stays empty";
    settings.groups[3] = {'S', {"12.345", ""}};
    int invalid = 0;
    bool ok = true;
    CollectionStatus::reassemble(settings, false, invalid, ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(invalid, 4);
    EXPECT_EQ(CollectionStatus::showAmount("1234"), "$12.34");
}

TEST(CollectionStatus, TheMessageTravelsInFieldsSixToEightOrSeventeenByMode)
{
    CollectionSettings settings;
    settings.postMessage = true;
    settings.messageCode = "PM02";
    settings.messageDate = "12/01/2026";
    auto fields = CollectionStatus::fields(saved(settings));
    EXPECT_EQ(fields[4], "A");
    EXPECT_EQ(fields[5], "Y");
    EXPECT_EQ(fields[6], "PM02");
    EXPECT_EQ(fields[7], "12/01/2026");
    EXPECT_EQ(fields[16], "");
    settings.selectedMode = true;
    fields = CollectionStatus::fields(saved(settings));
    EXPECT_EQ(fields[4], "S");
    EXPECT_EQ(fields[5], "");
    EXPECT_EQ(fields[6], "");
    EXPECT_EQ(fields[16], "Y^PM02,12/01/2026");

    const CollectionSettings reread = loaded("L:::::N:PM99:01/01/2026:::::::::Y^PM10:");
    EXPECT_FALSE(reread.postMessage) << "all-accounts mode reads fields 6 to 8";
    EXPECT_EQ(reread.messageCode, "PM99");
    const CollectionSettings noComma = loaded("L::::S::::::::::::Y^PM10:");
    EXPECT_TRUE(noComma.postMessage);
    EXPECT_EQ(noComma.messageCode, "") << "without a comma code and date are cleared";
}

TEST(CollectionStatus, ResettingClearsThePositionAndAnAccountWithoutSecondPartShowsAlone)
{
    CollectionSettings settings = loaded(fullRecord);
    const auto fields = CollectionStatus::fields(saved(settings, true));
    EXPECT_EQ(fields[1], "");
    EXPECT_EQ(fields[2], "");
    EXPECT_EQ(fields[3], "");
    EXPECT_EQ(fields[0], "L60^Self-pay 60 to 89 days");

    const CollectionSettings single = loaded("L60^List:Ann Lee:12345::A:::::::::::::");
    EXPECT_EQ(single.accountLabel(), "12345");
    EXPECT_EQ(CollectionStatus::fields(saved(single))[2], "12345");
    EXPECT_EQ(CollectionStatus::fields(saved(single))[3], "");
}

TEST(CollectionStatus, FieldOneAlwaysCarriesTheCaret)
{
    CollectionSettings settings;
    EXPECT_EQ(CollectionStatus::fields(saved(settings))[0], "^") << "no list";
    settings.listCode = "L1";
    EXPECT_EQ(CollectionStatus::fields(saved(settings))[0], "L1^") << "a list without description";
}

TEST(CollectionStatus, AStoredAmountTheWindowCannotWriteGoesBackUntouched)
{
    CollectionSettings settings = loaded("L60^List::::S:::::::S^-500,250000:::::::");
    EXPECT_EQ(settings.groups[3].inputs[0], "$-5.00");
    EXPECT_EQ(CollectionStatus::fields(saved(settings))[11], "S^-500,250000");
    settings.groups[3].inputs[1] = "$3,000.00";
    EXPECT_EQ(CollectionStatus::fields(saved(settings))[11], "S^-500,300000") << "the edited one is written anew";
    settings.groups[3].inputs[0] = "$-6.00";
    int invalid = 0;
    bool ok = true;
    CollectionStatus::reassemble(settings, false, invalid, ok);
    EXPECT_FALSE(ok) << "a negative amount the operator typed is refused";
}

TEST(CollectionStatus, DigitsOnlyDatesGetTheirSlashes)
{
    EXPECT_EQ(CollectionStatus::expandDigitsDate("01152024"), "01/15/2024");
    EXPECT_EQ(CollectionStatus::expandDigitsDate(" 011524 "), "01/15/24");
    for (const char* unchanged : {"1/15/24", "0115202", "0115x024", "", "011520245"})
        EXPECT_EQ(CollectionStatus::expandDigitsDate(unchanged), unchanged);
}

TEST(CollectionStatus, RangesAreInOrderUnlessFromLiesAfterThru)
{
    struct Case {
        CriterionKind kind;
        const char* from;
        const char* thru;
        bool inOrder;
    };
    const Case cases[] = {
        {CriterionKind::Dates, "12/01/2026", "01/15/2024", false},
        {CriterionKind::Dates, "01/15/2024", "12/01/2026", true},
        {CriterionKind::Dates, "12/31/2025", "01/01/2026", true},
        {CriterionKind::Dates, "01/02/2026", "01/01/2026", false},
        {CriterionKind::Dates, "01/01/2026", "01/01/2026", true},
        {CriterionKind::Days, "90", "30", false},
        {CriterionKind::Days, "30", "120", true},
        {CriterionKind::Days, "9", "10", true},
        {CriterionKind::Amounts, "$3,000.00", "$2,500.00", false},
        {CriterionKind::Amounts, "$50.00", "$2,500.00", true},
        {CriterionKind::Dates, "", "01/01/2026", true},
        {CriterionKind::Days, "abc", "30", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CollectionStatus::rangeInOrder(c.kind, c.from, c.thru), c.inOrder) << c.from << " .. " << c.thru;
}

} // namespace
} // namespace corvane
