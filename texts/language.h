#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct CatalogueLanguage;

// A language of the user interface. Russian is the program's own: its texts
// stand in the code as they are shown. Every other language has a catalogue
// that gives each Russian text its translation.
class Language {
public:
    // Russian.
    Language() = default;

    // The language of the code "ru", "en", …; nothing when there is no
    // catalogue for it.
    static std::optional<Language> Named(std::string_view code);

    // The language for the system's locale ("en_GB.UTF-8", "ru_RU", "de"):
    // Russian where the locale is Russian or not set ("", "C", "POSIX"), its
    // own language where a catalogue exists, English otherwise.
    static Language ForLocale(std::string_view locale);

    // "ru", "en", …
    std::string_view code() const;

    // The language's name in itself: "Русский", "English".
    std::string_view name() const;

    bool isRussian() const { return catalogue_ == nullptr; }

    // The text in this language; the Russian text itself when the catalogue
    // has no translation for it.
    std::string_view translated(std::string_view russian) const;

    // The character written between the whole and the fractional part of a
    // number: the one the Russian text uses in Russian, the language's own
    // otherwise.
    char decimalPoint(char russian) const;

    friend bool operator==(const Language& a, const Language& b) { return a.catalogue_ == b.catalogue_; }

private:
    explicit Language(const CatalogueLanguage* catalogue) : catalogue_(catalogue) {}
    const CatalogueLanguage* catalogue_ = nullptr;
};

// Every language the program speaks, Russian first.
std::vector<Language> AllLanguages();
