#pragma once

#include <QTranslator>

#include "texts/language.h"

// Qt's translator for the program's own texts: the translation of a Russian
// text in the language's catalogue (texts/language.h), whatever its context.
// Installed on the application, it makes tr() write the window in the
// language; a text it has no translation for is left to the translators
// installed before it (Qt's own texts), and in the end shown as it is.
class CatalogueTranslator final : public QTranslator {
    Q_OBJECT
public:
    CatalogueTranslator(const Language& language, QObject* parent);

    const Language& language() const { return language_; }

    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return language_.isRussian(); }

private:
    Language language_;
};
