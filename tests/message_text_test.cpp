#include <gtest/gtest.h>

#include <string>

#include "tools/message_text.h"

TEST(QuotedForMessage, QuotesTheTextReplacingControlsAndBrokenUtf8AndCutsItBetweenCharacters)
{
    std::string cyrillic;
    for (int i = 0; i < 40; ++i)
        cyrillic += "ж";  // two bytes each
    const std::pair<std::string, std::string> cases[] = {
        {"радиус", "«радиус»"},
        {"", "«»"},
        {"a\nb\tc", "«a?b?c»"},
        {"--\xA1" "eelp", "«--?eelp»"},  // a lone continuation byte
        {"x\xD0", "«x?»"},                // a character cut short
        {"\xF8\x88\x80\x80\x80", "«?????»"},
        {std::string(100, 'x'), "«" + std::string(60, 'x') + "…»"},
        {cyrillic, "«" + cyrillic.substr(0, 60) + "…»"},
    };
    for (const auto& [text, quoted] : cases)
        EXPECT_EQ(QuotedForMessage(text), quoted);
}
