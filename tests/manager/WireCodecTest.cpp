#include "WireCodec.h"

#include "HostFixture.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(WireCodec, EveryByteValueRoundTrips)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const QString text = WireCodec::toQString(all);
    ASSERT_EQ(text.size(), 256);
    const auto back = WireCodec::toWire(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, all);
}

TEST(WireCodec, SeparatorsAndWindowsCharactersMapToTheirLetters)
{
    EXPECT_EQ(WireCodec::toQString("\xE6"), QString(QChar(0x00E6)));
    EXPECT_EQ(WireCodec::toQString("\x80"), QString(QChar(0x20AC)));
    EXPECT_EQ(WireCodec::toQString("\x93Hi\x94"), QString(QChar(0x201C)) + QStringLiteral("Hi") + QChar(0x201D));
    EXPECT_EQ(*WireCodec::toWire(QString(QChar(0x20AC))), "\x80");
    EXPECT_EQ(*WireCodec::toWire(QStringLiteral("Caf\u00e9")), "Caf\xE9");
}

class WireCodecRefusal : public test::HostFixture { };

TEST_F(WireCodecRefusal, TextThatCannotBeSentIsRefusedWithAMessageNotSentAsQuestionMarks)
{
    const QString typed = QStringLiteral("Dr. \u015Alusarz");
    EXPECT_FALSE(WireCodec::toWire(typed));
    EXPECT_EQ(WireCodec::firstUnencodable(typed), QChar(0x015A));
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(WireCodec::toWireOrComplain(typed, QStringLiteral("The name")));
    ASSERT_EQ(prompter->prompts.size(), 1u);
    EXPECT_NE(prompter->prompts[0].text.find("The name holds the character"), std::string::npos);
    EXPECT_EQ(WireCodec::toWireLossy(typed), "Dr. ?lusarz");
    EXPECT_EQ(*WireCodec::toWireOrComplain(QStringLiteral("Plain"), QStringLiteral("x")), "Plain");
}

TEST_F(WireCodecRefusal, TypedTextIsJudgedForTheCodecAndTheSeparatorsInOnePlace)
{
    const auto unencodable = WireCodec::encodeTyped(QStringLiteral("Dr. \u0141ukasz"), QStringLiteral("Name"));
    EXPECT_FALSE(unencodable.wire);
    EXPECT_NE(unencodable.refusal.find("(U+0141)"), std::string::npos) << unencodable.refusal;

    const auto bar = WireCodec::encodeTyped(QStringLiteral("A|B"), QStringLiteral("Code"));
    EXPECT_FALSE(bar.wire);
    EXPECT_NE(bar.refusal.find("Code may not hold \"|\""), std::string::npos);

    const auto recordByte = WireCodec::encodeTyped(QStringLiteral("Sch\u00f6n"), QStringLiteral("Name"));
    EXPECT_FALSE(recordByte.wire) << "byte 246 joins reply lines";

    const auto own = WireCodec::encodeTyped(QStringLiteral("L60,2"), QStringLiteral("List"), ",:^");
    EXPECT_FALSE(own.wire);

    const auto fine = WireCodec::encodeTyped(QStringLiteral("Pe\u00f1a \u20ac5"), QStringLiteral("Name"));
    ASSERT_TRUE(fine.wire);
    EXPECT_EQ(*fine.wire, std::string("Pe\xF1") + "a \x80" + "5");
    EXPECT_TRUE(fine.refusal.empty());
}

TEST_F(WireCodecRefusal, ACheckedRefusalIsToldOnceAndNothingIsReturned)
{
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(WireCodec::toWireChecked(QStringLiteral("x\ty"), QStringLiteral("Description")));
    ASSERT_EQ(prompter->prompts.size(), 1u);
    EXPECT_NE(prompter->prompts[0].text.find("Description may not hold a TAB"), std::string::npos);
    EXPECT_EQ(*WireCodec::toWireChecked(QStringLiteral("xy"), QStringLiteral("Description")), "xy");
    EXPECT_EQ(prompter->prompts.size(), 1u);
}

} // namespace
} // namespace corvane
