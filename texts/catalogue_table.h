#pragma once

#include <cstddef>
#include <string_view>

// The translations of the program's texts, one table per language, made at
// build time from the catalogues po/<part>/<language>.po, whose entries are
// the Russian texts (the program's own) with their translations.

struct CatalogueEntry {
    std::string_view russian;
    std::string_view translated;
};

struct CatalogueLanguage {
    std::string_view code;          // "en"
    std::string_view name;          // the language's name in itself: "English"
    char decimalPoint;              // how the language writes 1.5: '.' or ','
    const CatalogueEntry* entries;  // sorted by the Russian text's bytes
    std::size_t count;
};

// Every language with a catalogue, by code; Russian is not among them.
extern const CatalogueLanguage kCatalogueLanguages[];
extern const std::size_t kCatalogueLanguageCount;
