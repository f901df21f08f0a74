#include "app/document_names.h"

#include <QFileInfo>

QString DocumentInLanguage(const QString& russianFileName, const Language& language)
{
    if (language.isRussian())
        return russianFileName;
    const QFileInfo russian(russianFileName);
    const QString own = QStringLiteral("%1.%2.%3")
                            .arg(russian.completeBaseName(),
                                 QString::fromLatin1(language.code().data(), qsizetype(language.code().size())),
                                 russian.suffix());
    return QFileInfo::exists(own) ? own : russianFileName;
}
