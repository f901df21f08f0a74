#include "app/shown_language.h"

#include <QCoreApplication>

#include "app/catalogue_translator.h"
#include "app/qt_translation.h"

namespace {

CatalogueTranslator* InstalledTranslator()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app ? app->findChild<CatalogueTranslator*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

}  // namespace

Language ShownLanguage()
{
    const CatalogueTranslator* translator = InstalledTranslator();
    return translator ? translator->language() : Language();
}

void ShowLanguage(const Language& language)
{
    QCoreApplication* app = QCoreApplication::instance();
    delete InstalledTranslator();  // removes itself and Qt's translation, its child
    auto* translator = new CatalogueTranslator(language, app);
    InstallQtTranslation(language, translator);
    QCoreApplication::installTranslator(translator);  // asked first
}

QString ShownText(std::string_view russian)
{
    const std::string_view text = ShownLanguage().translated(russian);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString ShownText(const Message& message)
{
    return QString::fromStdString(Text(message, ShownLanguage()));
}
