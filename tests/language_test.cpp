#include <gtest/gtest.h>

#include "texts/language.h"
#include "texts/message.h"

namespace {

struct LocaleCase {
    const char* name;
    const char* locale;
    const char* code;
};

void PrintTo(const LocaleCase& c, std::ostream* os) { *os << c.name; }

class LanguageForLocale : public testing::TestWithParam<LocaleCase> {};

TEST_P(LanguageForLocale, RussianWhereNotSetEnglishWhereNoCatalogue)
{
    EXPECT_EQ(Language::ForLocale(GetParam().locale).code(), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Locales, LanguageForLocale,
                         testing::Values(LocaleCase{"NotSet", "", "ru"}, LocaleCase{"C", "C", "ru"},
                                         LocaleCase{"CUtf8", "C.UTF-8", "ru"}, LocaleCase{"Posix", "POSIX", "ru"},
                                         LocaleCase{"Russian", "ru_RU.UTF-8", "ru"},
                                         LocaleCase{"EnglishBritain", "en_GB.UTF-8", "en"},
                                         LocaleCase{"EnglishOnly", "en", "en"},
                                         LocaleCase{"Welsh", "cy_GB.UTF-8@euro", "en"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Languages, RussianFirstThenEachCatalogueOnce)
{
    const std::vector<Language> all = AllLanguages();
    ASSERT_GE(all.size(), 2u);
    EXPECT_TRUE(all[0].isRussian());
    for (std::size_t i = 1; i < all.size(); ++i) {
        EXPECT_EQ(Language::Named(all[i].code()), all[i]);
        EXPECT_FALSE(all[i].isRussian());
    }
    EXPECT_FALSE(Language::Named("xx"));
}

struct MessageCase {
    const char* name;
    Message message;
    const char* russian;
    const char* english;
};

void PrintTo(const MessageCase& c, std::ostream* os) { *os << c.name; }

class MessageText : public testing::TestWithParam<MessageCase> {};

TEST_P(MessageText, FillsItsPlacesInEachLanguage)
{
    EXPECT_EQ(RussianText(GetParam().message), GetParam().russian);
    EXPECT_EQ(Text(GetParam().message, *Language::Named("en")), GetParam().english);
}

// A text the catalogues cannot have, so that it reads the same in both.
constexpr const char* kUntranslated = "z = %1; %2% %3 %%";

INSTANTIATE_TEST_SUITE_P(
    Messages, MessageText,
    testing::Values(MessageCase{"None", Message(), "", ""},
                    MessageCase{"VerbatimAndMissingPlaces", Message(kUntranslated).arg("«x»"), "z = «x»; %2% %3 %%",
                                "z = «x»; %2% %3 %%"},
                    MessageCase{"NumbersWithEachLanguagesPoint",
                                Message(kUntranslated).number("%.2f", 1.5).number("%g", -0.25, '.').count(-7),
                                "z = 1,50; -0.25% -7 %%", "z = 1.50; -0.25% -7 %%"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
