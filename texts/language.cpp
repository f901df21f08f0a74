#include "texts/language.h"

#include <algorithm>

#include "texts/catalogue_table.h"

namespace {

const CatalogueLanguage* CatalogueFor(std::string_view code)
{
    for (std::size_t i = 0; i < kCatalogueLanguageCount; ++i)
        if (kCatalogueLanguages[i].code == code)
            return &kCatalogueLanguages[i];
    return nullptr;
}

}  // namespace

std::optional<Language> Language::Named(std::string_view code)
{
    if (code == "ru")
        return Language();
    if (const CatalogueLanguage* catalogue = CatalogueFor(code))
        return Language(catalogue);
    return std::nullopt;
}

Language Language::ForLocale(std::string_view locale)
{
    // language[_territory][.codeset][@modifier]
    const std::string_view code = locale.substr(0, locale.find_first_of("_.@"));
    if (code.empty() || code == "C" || code == "POSIX")
        return Language();
    if (std::optional<Language> own = Named(code))
        return *own;
    return Named("en").value_or(Language());
}

std::string_view Language::code() const
{
    return catalogue_ ? catalogue_->code : "ru";
}

std::string_view Language::name() const
{
    return catalogue_ ? catalogue_->name : "Русский";  // not translated: each language is named in itself
}

std::string_view Language::translated(std::string_view russian) const
{
    if (!catalogue_)
        return russian;
    const CatalogueEntry* begin = catalogue_->entries;
    const CatalogueEntry* end = begin + catalogue_->count;
    const CatalogueEntry* found = std::lower_bound(
        begin, end, russian, [](const CatalogueEntry& e, std::string_view text) { return e.russian < text; });
    return found != end && found->russian == russian ? found->translated : russian;
}

char Language::decimalPoint(char russian) const
{
    return catalogue_ ? catalogue_->decimalPoint : russian;
}

std::vector<Language> AllLanguages()
{
    std::vector<Language> all{Language()};
    for (std::size_t i = 0; i < kCatalogueLanguageCount; ++i)
        all.push_back(*Language::Named(kCatalogueLanguages[i].code));
    return all;
}
