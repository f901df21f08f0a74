#include "app/recent_files.h"

#include <QFileInfo>
#include <QSettings>

namespace {

constexpr const char* kKey = "recentFiles";

QSettings Settings()
{
    return QSettings(QStringLiteral("Zoreks"), QStringLiteral("Zoreks"));
}

}  // namespace

QStringList RecentFiles::paths() const
{
    return Settings().value(QLatin1String(kKey)).toStringList().mid(0, kMostFiles);
}

void RecentFiles::add(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = paths();
    list.removeAll(absolute);
    list.prepend(absolute);
    store(list.mid(0, kMostFiles));
}

void RecentFiles::remove(const QString& path)
{
    QStringList list = paths();
    list.removeAll(path);
    store(list);
}

void RecentFiles::store(const QStringList& paths)
{
    Settings().setValue(QLatin1String(kKey), paths);
}
