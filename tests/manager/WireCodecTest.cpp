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

} // namespace
} // namespace corvane
