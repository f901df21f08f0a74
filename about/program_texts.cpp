#include "about/program_texts.h"

#include <initializer_list>
#include <string_view>

namespace {

// The lines in the language, joined by the separator.
std::string Joined(const Language& language, std::initializer_list<std::string_view> lines, std::string_view separator)
{
    std::string text;
    bool first = true;
    for (std::string_view line : lines) {
        if (!first)
            text += separator;
        text += language.translated(line);
        first = false;
    }
    return text;
}

}  // namespace

std::string AboutText(const Language& language)
{
    return Joined(
        language,
        {
            "Эта программа",
            "расчитывает магнитные поля соленоида конечной длины.",
            " ",
            "История версий:",
            "Версия 1.0: сведений о дате выпуска нет.",
            "Регистрация версии 1.0: сведений нет.",
            "Версия 2.0: для Linux (Debian 12), дата выпуска не указана, C++20 и Qt 6.",
            "Свидетельство о государственной регистрации: сведений нет.",
            "Дата государственной регистрации: сведений нет.",
            "Официальный бюллетень: сведений нет.",
            "Адрес бюллетеня в сети: сведений нет.",
        },
        "\r\n");
}

std::string AuthorsText(const Language& language)
{
    const std::string authors = std::string(28, ' ') + std::string(language.translated("Разработчики Зорекс,"));
    const std::string organisationRest = std::string(29, ' ') + std::string(language.translated("сведений нет,"));
    return " " + Joined(
                     language,
                     {
                         authors,
                         "Организация: ",
                         organisationRest,
                         "Город и страна: сведений нет.",
                         "Адреса электронной почты нет.",
                     },
                     "\r");
}
