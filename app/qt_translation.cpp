#include "app/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool InstallQtTranslation(const Language& language, QObject* owner)
{
    auto* translator = new QTranslator(owner);
    const QString name = QStringLiteral("qtbase_") + QString::fromLatin1(language.code().data(), qsizetype(language.code().size()));
    if (!translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
