#include "FaxData.h"

#include "FaxAddress.h"
#include "FaxDocumentReply.h"
#include "FaxRecipient.h"
#include "FaxResendList.h"
#include "FaxSenderDefaults.h"
#include "Text.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace corvane {
namespace {

FaxData sample()
{
    FaxData data;
    data.sender = "Jane Smith";
    data.phone = "(555) 201-4400";
    data.subject = "Consult notes";
    data.recipientId = "RF001";
    data.fax = "(555) 310-2201";
    data.company = "Springfield Cardiology";
    data.email = "hortiz@springcardio.example";
    data.method = "F";
    data.priority = "U";
    data.password = "s3cret";
    return data;
}

TEST(FaxDataTest, FourteenFieldsInTheServersOrder)
{
    std::string refusal;
    const auto text = sample().build(refusal);
    ASSERT_TRUE(text);
    const auto fields = text::split(*text, '\xE6');
    ASSERT_EQ(fields.size(), 14u);
    std::string expected = "Jane Smith|(555) 201-4400|Consult notes|RF001|(555) 310-2201|Springfield Cardiology|"
                           "hortiz@springcardio.example|F||||U|s3cret|RF001";
    std::replace(expected.begin(), expected.end(), '|', '\xE6');
    EXPECT_EQ(*text, expected);

    FaxData empty;
    const auto blank = empty.build(refusal);
    ASSERT_TRUE(blank);
    EXPECT_EQ(*blank, std::string(13, '\xE6')) << "empty fields still count";
}

TEST(FaxDataTest, AFieldHoldingASeparatorIsRefusedByName)
{
    struct Case {
        std::string FaxData::*field;
        std::string value;
        std::string named;
    };
    const Case cases[] = {
        {&FaxData::subject, "Notes\xE6part two", "Subject"},
        {&FaxData::sender, "Jane|Smith", "From"},
        {&FaxData::password, "pass\tword", "Password"},
        {&FaxData::company, "Line\r\nbreak", "Company"},
    };
    for (const Case& c : cases) {
        FaxData data = sample();
        data.*c.field = c.value;
        std::string refusal;
        EXPECT_FALSE(data.build(refusal)) << c.value;
        EXPECT_NE(refusal.find(c.named), std::string::npos) << refusal;
    }
}

TEST(FaxAddressTest, EmailAddressesPracticesUse)
{
    for (const char* good :
         {"hortiz@springcardio.example", "grace.o'neill@harbordermatology.clinic", "alcosta+referrals@costapeds.com",
          "o.haddad@valleyneuro.health", "a_b-c@x.co", "records@[10.0.0.12]", "x@sub.domain.dental"}) {
        EXPECT_TRUE(FaxAddress::isEmail(good)) << good;
    }
    for (const char* bad :
         {"", "no-at-sign.example", "@nobody.example", "user@", "user@localhost", "user@x.c", "user@x.c0m",
          ".user@x.com", "us..er@x.com", "user.@x.com", "user@-x.com", "user@x..com", "us er@x.com", "user@[300.1.1.1]",
          "user@x.com.", "user@x.abcdefghijabcdefghijabcdefghijabcdefghijabcdefghijabcdefghijabcd"}) {
        EXPECT_FALSE(FaxAddress::isEmail(bad)) << bad;
    }
}

TEST(FaxAddressTest, FaxNumbersNeedSevenDigitsOncePunctuationIsRemoved)
{
    EXPECT_TRUE(FaxAddress::isFaxNumber("(555) 310-2201"));
    EXPECT_TRUE(FaxAddress::isFaxNumber("+44 20 7946 0958"));
    EXPECT_TRUE(FaxAddress::isFaxNumber("5551234"));
    EXPECT_FALSE(FaxAddress::isFaxNumber("555-123")) << "six digits";
    EXPECT_FALSE(FaxAddress::isFaxNumber("(   )    -    ")) << "a mask's punctuation is no number";
    EXPECT_FALSE(FaxAddress::isFaxNumber("555 CALL NOW"));
    EXPECT_EQ(FaxAddress::faxDigits("+1 (555) 310-2201"), "15553102201");
}

TEST(FaxResendListTest, PairsKeepEmptyFaxNumbersAndRoundTrip)
{
    const auto entries = FaxResendList::parse("10001|555111|10002||10003|555333");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[1].job, "10002");
    EXPECT_EQ(entries[1].fax, "") << "an e-mail job has no fax number";
    EXPECT_EQ(entries[2].fax, "555333");
    EXPECT_EQ(FaxResendList::join(entries), "10001|555111|10002||10003|555333");
    EXPECT_TRUE(FaxResendList::parse("").empty());
    const auto odd = FaxResendList::parse("10009");
    ASSERT_EQ(odd.size(), 1u);
    EXPECT_EQ(odd[0].fax, "");
}

TEST(FaxDocumentReplyTest, TheEditorsNameFollowsBy)
{
    struct Case {
        const char* reply;
        FaxDocumentReply::Kind kind;
        const char* user;
    };
    const Case cases[] = {
        {"DOC10001", FaxDocumentReply::Kind::DocumentId, ""},
        {"ERROR:  Document is being edited by JSMITH", FaxDocumentReply::Kind::BeingEdited, "JSMITH"},
        {"error:  document is being edited by mjones ", FaxDocumentReply::Kind::BeingEdited, "mjones"},
        {"ERROR:  Document is being edited MJONES", FaxDocumentReply::Kind::BeingEdited, "MJONES"},
        {"ERROR:  Document is being edit", FaxDocumentReply::Kind::BeingEdited, ""},
        {"ERROR: Job 99 was not found.", FaxDocumentReply::Kind::Error, ""},
        {"Error", FaxDocumentReply::Kind::Error, ""},
    };
    for (const Case& c : cases) {
        const FaxDocumentReply reply = FaxDocumentReply::read(c.reply);
        EXPECT_EQ(reply.kind, c.kind) << c.reply;
        EXPECT_EQ(reply.user, c.user) << c.reply;
    }
    EXPECT_EQ(FaxDocumentReply::read(" DOC7 ").documentId, "DOC7");
}

std::string fields(std::size_t count, const std::vector<std::pair<std::size_t, std::string>>& values)
{
    std::vector<std::string> all(count);
    for (const auto& [index, value] : values)
        all[index] = value;
    return text::join(all, std::string_view("\xE6", 1));
}

TEST(FaxRecipientTest, FieldCountsDecideWhatIsRead)
{
    EXPECT_FALSE(FaxRecipient::read(fields(28, {{1, "Dr. Reed"}}))) << "fewer than 29 fields";
    EXPECT_FALSE(FaxRecipient::read("ERROR: Recipient RF099 was not found."));
    const auto basic = FaxRecipient::read(
        fields(29, {{0, "RF002"}, {1, "Dr. Reed"}, {3, "(555) 310-4410"}, {4, "s@x.example"}, {5, "e"}}));
    ASSERT_TRUE(basic);
    EXPECT_EQ(basic->name, "Dr. Reed");
    EXPECT_EQ(basic->delivery, "E");
    EXPECT_EQ(basic->sureScriptsId, "") << "delivery details need 33 fields";
    const auto full = FaxRecipient::read(fields(49, {{5, "D"}, {31, "SSRF005"}, {33, "U"}}));
    ASSERT_TRUE(full);
    EXPECT_EQ(full->sureScriptsId, "SSRF005");
    EXPECT_EQ(full->priority, "U");
    EXPECT_EQ(FaxRecipient::methodFor("D"), "S");
    EXPECT_EQ(FaxRecipient::methodFor("X"), "F");
    EXPECT_TRUE(FaxRecipient::faxOnly("X"));
    EXPECT_EQ(FaxRecipient::methodFor("Q"), "");
}

TEST(FaxSenderDefaultsTest, EighteenFieldsAtLeast)
{
    EXPECT_FALSE(FaxSenderDefaults::read(fields(17, {{0, "Jane Smith"}})));
    const auto defaults = FaxSenderDefaults::read(fields(18, {{0, "Jane Smith"}, {1, "(555) 201-4400"}, {6, "u"}}));
    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->sender, "Jane Smith");
    EXPECT_EQ(defaults->priority, "U");
}

} // namespace
} // namespace corvane
