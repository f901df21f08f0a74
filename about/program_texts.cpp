#include "about/program_texts.h"

#include <initializer_list>
#include <string_view>

namespace {

std::string Joined(std::initializer_list<std::string_view> lines, std::string_view separator)
{
    std::string text;
    bool first = true;
    for (std::string_view line : lines) {
        if (!first)
            text += separator;
        text += line;
        first = false;
    }
    return text;
}

}  // namespace

std::string AboutText()
{
    return Joined(
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

std::string AuthorsText()
{
    const std::string authors = std::string(28, ' ') + "Разработчики Зорекс,";
    const std::string organisationRest = std::string(29, ' ') + "сведений нет,";
    return " " + Joined(
                     {
                         authors,
                         "Организация: ",
                         organisationRest,
                         "Город и страна: сведений нет.",
                         "Адреса электронной почты нет.",
                     },
                     "\r");
}
