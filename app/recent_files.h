#pragma once

#include <QStringList>

// The files last opened or saved, newest first, kept in the user's settings
// from one start of the program to the next.
class RecentFiles {
public:
    static constexpr int kMostFiles = 6;

    QStringList paths() const;
    // Puts the file first; the oldest beyond kMostFiles is forgotten.
    void add(const QString& path);
    void remove(const QString& path);

private:
    void store(const QStringList& paths);
};
