#include <gtest/gtest.h>

#include <string>

#include "tools/message_text.h"

TEST(QuotedForMessage, KeepsRussianTextAndQuotesIt)
{
    EXPECT_EQ(QuotedForMessage("радиус"), "«радиус»");
    EXPECT_EQ(QuotedForMessage(""), "«»");
}

TEST(QuotedForMessage, ReplacesControlCharactersAndBrokenUtf8)
{
    EXPECT_EQ(QuotedForMessage("a\nb\tc"), "«a?b?c»");
    EXPECT_EQ(QuotedForMessage("--\xA1" "eelp"), "«--?eelp»");  // a lone continuation byte
    EXPECT_EQ(QuotedForMessage("x\xD0"), "«x?»");                // a character cut short
    EXPECT_EQ(QuotedForMessage("\xF8\x88\x80\x80\x80"), "«?????»");
}

TEST(QuotedForMessage, CutsALongTextBetweenTwoCharacters)
{
    const std::string longRussian(100, 'x');
    const std::string quoted = QuotedForMessage(longRussian);
    EXPECT_EQ(quoted, "«" + std::string(60, 'x') + "…»");
    std::string cyrillic;
    for (int i = 0; i < 40; ++i)
        cyrillic += "ж";  // two bytes each
    EXPECT_EQ(QuotedForMessage(cyrillic), "«" + cyrillic.substr(0, 60) + "…»");
}
