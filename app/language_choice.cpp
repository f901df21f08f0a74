#include "app/language_choice.h"

#include <optional>

#include "app/program_settings.h"
#include "app/shown_language.h"

namespace {

constexpr const char* kKey = "language";

}  // namespace

QString SystemLocaleName()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const QString value = qEnvironmentVariable(variable); !value.isEmpty())
            return value;
    return {};
}

Language StartLanguage()
{
    const QString chosen = ProgramSettings().value(QLatin1String(kKey)).toString();
    if (std::optional<Language> language = Language::Named(chosen.toStdString()))
        return *language;
    return Language::ForLocale(SystemLocaleName().toStdString());
}

void ChooseLanguage(const Language& language)
{
    ProgramSettings().setValue(QLatin1String(kKey), QString::fromLatin1(language.code().data(), qsizetype(language.code().size())));
    ShowLanguage(language);
}
