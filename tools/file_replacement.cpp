#include "tools/file_replacement.h"

#include <QFileInfo>
#include <QSaveFile>

#include <csignal>

#include "tools/message_text.h"

namespace {

// Holds back the signals that end a program while it lives.
class InterruptionsHeldBack {
public:
    InterruptionsHeldBack()
    {
        sigset_t held;
        sigemptyset(&held);
        for (int s : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
            sigaddset(&held, s);
        pthread_sigmask(SIG_BLOCK, &held, &previous_);
    }
    ~InterruptionsHeldBack() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    InterruptionsHeldBack(const InterruptionsHeldBack&) = delete;
    InterruptionsHeldBack& operator=(const InterruptionsHeldBack&) = delete;

private:
    sigset_t previous_;
};

QString qtPath(const std::string& path) { return QString::fromLocal8Bit(path.data(), qsizetype(path.size())); }

std::string shown(const QString& path)
{
    const QByteArray bytes = path.toLocal8Bit();
    return QuotedForMessage(std::string_view(bytes.constData(), size_t(bytes.size())));
}

}  // namespace

std::optional<std::string> OutputPathProblem(const std::string& path)
{
    const QFileInfo file(qtPath(path));
    const QFileInfo folder(file.absolutePath());
    if (!folder.exists())
        return "Папки " + shown(folder.filePath()) + " нет, файл " + QuotedForMessage(path) + " записать нельзя.";
    if (!folder.isDir())
        return shown(folder.filePath()) + " — не папка, файл " + QuotedForMessage(path) + " записать нельзя.";
    if (file.isDir())
        return QuotedForMessage(path) + " — это папка, а не файл.";
    if (!folder.isWritable())
        return "Нет права записи в папку " + shown(folder.filePath()) + ".";
    if (file.exists() && !file.isWritable())
        return "Файл " + QuotedForMessage(path) + " защищен от записи.";
    return std::nullopt;
}

std::optional<std::string> ReplaceFile(const std::string& path, const QByteArray& contents)
{
    if (auto problem = OutputPathProblem(path))
        return problem;
    const InterruptionsHeldBack heldBack;
    QSaveFile file(qtPath(path));  // writes beside the file and renames on commit
    file.setDirectWriteFallback(false);
    // Unbuffered, so that a write that fails (a full disk, a file-size limit)
    // fails here: a buffered one would only fail while the file is closed,
    // where the failure goes unnoticed and a cut file would take the old one's place.
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(contents) == contents.size() &&
        file.commit())
        return std::nullopt;
    file.cancelWriting();
    return "Не удалось записать файл " + QuotedForMessage(path) + ": ошибка записи (нет места на диске?).";
}
