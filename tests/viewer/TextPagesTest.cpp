#include "TextPages.h"

#include <QTextDocument>

#include <gtest/gtest.h>

namespace corvane {
namespace {

// Page fields in the body (not in a header or footer) only know their number once the body has been laid out.
TEST(TextPages, PageFieldsInTheBodyShowThePageTheyLandOnAndTheCount)
{
    std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\paperw12240\\paperh15840\\margl1440\\margr1440"
                      "\\margt1440\\margb1440 ";
    for (int page = 0; page < 3; ++page) {
        if (page > 0)
            rtf += "\\page ";
        rtf += "Statement\\par Page {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}} of "
               "{\\field{\\*\\fldinst NUMPAGES}{\\fldrslt 1}}\\par ";
    }
    rtf += "}";
    const auto pages = TextPages::fromRtf(rtf);
    ASSERT_EQ(pages->pageCount(), 3);
    const QString text = pages->textDocument()->toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("Page 1 of 3"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Page 2 of 3"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Page 3 of 3"))) << text.toStdString();

    // Turning the paper keeps the fields right.
    pages->setLandscape(true);
    const QString turned = pages->textDocument()->toPlainText();
    EXPECT_TRUE(turned.contains(QStringLiteral("Page 3 of 3"))) << turned.toStdString();
}

} // namespace
} // namespace corvane
