#include "SettingValue.h"

#include "SettingNumber.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

const SettingKey& key(std::string_view name)
{
    const SettingKey* entry = SettingsCatalogue::findKey(name);
    if (!entry)
        throw std::runtime_error("no key " + std::string(name));
    return *entry;
}

std::optional<int> choice(std::string_view name, std::string_view raw)
{
    bool negative = false;
    return SettingValue::choiceIndex(SettingValue::convert(key(name), raw).value, negative);
}

TEST(SettingNumber, WholeNumbersAreDigitsOnly)
{
    EXPECT_EQ(SettingNumber::parseWhole("500"), 500);
    EXPECT_EQ(SettingNumber::parseWhole(" 007 "), 7);
    for (const char* notWhole : {"", " ", "0.4", "-1", "+1", "1e3", "0x10", "12 3", "1,000", "9999999999999999999"})
        EXPECT_FALSE(SettingNumber::parseWhole(notWhole)) << notWhole;
}

TEST(SettingNumber, DecimalsRoundHalfUpOnTheirDigits)
{
    EXPECT_EQ(SettingNumber::parseHundredths("12.345"), 1235) << "binary rounding would give 12.34";
    EXPECT_EQ(SettingNumber::parseHundredths("12.344999"), 1234);
    EXPECT_EQ(SettingNumber::parseHundredths("999.995"), 100000);
    EXPECT_EQ(SettingNumber::parseHundredths(".5"), 50);
    EXPECT_EQ(SettingNumber::parseHundredths("5."), 500);
    for (const char* notDecimal : {"", ".", "1.2.3", "1,5", "-1", "1e2", "12.3x"})
        EXPECT_FALSE(SettingNumber::parseHundredths(notDecimal)) << notDecimal;
    EXPECT_EQ(SettingNumber::formatHundredths(1235), "12.35");
    EXPECT_EQ(SettingNumber::formatHundredths(1250), "12.5");
    EXPECT_EQ(SettingNumber::formatHundredths(1200), "12");
    EXPECT_EQ(SettingNumber::formatHundredths(5), "0.05");
    EXPECT_EQ(SettingNumber::formatHundredths(-150), "-1.5");
    EXPECT_EQ(SettingNumber::parseStored("-2"), -2);
    EXPECT_EQ(SettingNumber::parseStored("2.5"), 3);
    EXPECT_FALSE(SettingNumber::parseStored("Y"));
}

TEST(SettingValue, EmptyValuesTakeTheCatalogueDefault)
{
    EXPECT_EQ(choice("DEMOINSPOL", ""), 1) << "Insurance Policy shows Require";
    EXPECT_EQ(choice("APPDELWITHOUTREASON", ""), 1);
    EXPECT_EQ(choice("WRKFLWSCH", ""), 1);
    EXPECT_EQ(choice("POSPMTNAV", ""), 1) << "Payment Code";
    EXPECT_EQ(choice("POSCHRNAV", ""), 1) << "Procedure Line";
    EXPECT_EQ(choice("CMDAS", ""), 0);
    EXPECT_EQ(SettingValue::convert(key("AUTOPOSTDATERANGE"), "").value.number, 7);
    EXPECT_EQ(SettingValue::convert(key("WRKFLWIMAGE"), "").value.text, "*:*");
    EXPECT_EQ(SettingValue::convert(key("AIDAYS"), "").value.number, 0);
    EXPECT_EQ(SettingValue::convert(key("CCARDGATEWAY"), "").value.text, "");
    EXPECT_EQ(SettingValue::convert(key("AUTOPOSTMSGCHARS"), " 40 ").value.text, " 40 ") << "raw, never converted";
}

TEST(SettingValue, NotSetSelectsNothingAndOtherNegativesTheirAbsoluteValue)
{
    for (const char* unset : {"", "  "}) {
        EXPECT_FALSE(choice("MULTKEY", unset));
        EXPECT_FALSE(choice("AICHECKCLAIMDEF", unset));
        EXPECT_FALSE(choice("KEYENDIS", unset));
    }
    EXPECT_EQ(choice("MULTKEY", "1"), 1);
    bool negative = false;
    EXPECT_EQ(SettingValue::choiceIndex(SettingValue::convert(key("SOUNDALERT"), "-1").value, negative), 1);
    EXPECT_TRUE(negative);
    EXPECT_FALSE(SettingValue::defaultChoice(key("MULTKEY")));
}

TEST(SettingValue, FlagsAndTheFamilyBillingFlag)
{
    EXPECT_EQ(choice("CMDAS", "5"), 1);
    EXPECT_EQ(choice("CMDAS", "0"), 0);
    EXPECT_EQ(choice("ADDPAT", "1"), 1);
    for (const char* notOne : {"2", "01", " 1", "Y", ""})
        EXPECT_EQ(choice("ADDPAT", notOne), 0) << "Family Billing allows several patients only for exactly 1";
}

TEST(SettingValue, ValuesThatAreNotNumbersShowNoChoiceAndTheyAreReported)
{
    const SettingConversion price = SettingValue::convert(key("100PRICESET"), "Y");
    EXPECT_EQ(price.value.state, CachedSetting::State::NotANumber);
    EXPECT_FALSE(price.problem.empty());
    EXPECT_FALSE(choice("100PRICESET", "Y"));
    EXPECT_FALSE(choice("SOUNDALERT", "40000")) << "beyond a 16-bit integer";
    EXPECT_EQ(choice("AICHECKCLAIMDEF", "40000"), 40000) << "a long holds it";

    CachedSetting before;
    before.number = 1;
    for (const char* notNumber : {"", "x"}) {
        const SettingConversion batch = SettingValue::convert(key("POSTPAYBATCH"), notNumber, before);
        EXPECT_EQ(batch.value.number, 1) << "the payment keys keep what they had";
        EXPECT_FALSE(batch.problem.empty());
    }
    EXPECT_EQ(SettingValue::convert(key("MEDICARESEQPERCENT"), "2.5").value.number, 250);
}

TEST(SettingValue, DefaultsAreToldApartFromStoredValues)
{
    EXPECT_TRUE(SettingValue::isDefault(key("DEMOINSPOL"), ""));
    EXPECT_TRUE(SettingValue::isDefault(key("DEMOINSPOL"), "1"));
    EXPECT_FALSE(SettingValue::isDefault(key("DEMOINSPOL"), "0"));
    EXPECT_TRUE(SettingValue::isDefault(key("MULTKEY"), " "));
    EXPECT_FALSE(SettingValue::isDefault(key("MULTKEY"), "0"));
    EXPECT_TRUE(SettingValue::isDefault(key("WRKFLWIMAGE"), "*:*"));
    EXPECT_FALSE(SettingValue::isDefault(key("CCARDGATEWAY"), "https://pay.example.com"));
}

} // namespace
} // namespace corvane
