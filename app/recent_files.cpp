#include "app/recent_files.h"

#include <QFileInfo>

#include "app/program_settings.h"

namespace {

constexpr const char* kKey = "recentFiles";

}  // namespace

QStringList RecentFiles::paths() const
{
    return ProgramSettings().value(QLatin1String(kKey)).toStringList().mid(0, kMostFiles);
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
    ProgramSettings().setValue(QLatin1String(kKey), paths);
}
