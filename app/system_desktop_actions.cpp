#include "app/system_desktop_actions.h"

#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QUrl>

namespace {

bool OpenWithDefaultApplication(const QString& fileName)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::current().filePath(fileName)));
}

}  // namespace

void SystemDesktopActions::openDocument(const QString& fileName)
{
    OpenWithDefaultApplication(fileName);
}

bool SystemDesktopActions::startTextEditor(const QString& fileName)
{
    const QString notepad = QStandardPaths::findExecutable(QStringLiteral("notepad"));
    if (!notepad.isEmpty())
        return QProcess::startDetached(notepad, {fileName});
    return OpenWithDefaultApplication(fileName);
}
