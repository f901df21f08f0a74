#include "app/catalogue_translator.h"

#include <string_view>

CatalogueTranslator::CatalogueTranslator(const Language& language, QObject* parent)
    : QTranslator(parent), language_(language)
{
}

QString CatalogueTranslator::translate(const char*, const char* sourceText, const char*, int) const
{
    if (sourceText == nullptr)
        return {};
    const std::string_view russian(sourceText);
    const std::string_view text = language_.translated(russian);
    if (text.data() == russian.data())
        return {};  // not in the catalogue: the next translator's, or the text itself
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
