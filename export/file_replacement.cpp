#include "export/file_replacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <csignal>
#include <random>
#include <vector>

#include "params/message_text.h"

namespace {

std::string currentFolder()
{
    std::vector<char> buffer(PATH_MAX);
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE)
            return ".";
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

// The absolute form of path with "." and ".." taken out by the names alone,
// as a file manager shows it.
std::string absoluteClean(const std::string& path)
{
    const std::string whole = !path.empty() && path[0] == '/' ? path : currentFolder() + "/" + path;
    std::vector<std::string> names;
    size_t start = 0;
    while (start <= whole.size()) {
        const size_t end = std::min(whole.find('/', start), whole.size());
        const std::string name = whole.substr(start, end - start);
        if (name == "..") {
            if (!names.empty())
                names.pop_back();
        } else if (!name.empty() && name != ".") {
            names.push_back(name);
        }
        start = end + 1;
    }
    std::string out;
    for (const std::string& name : names)
        out += "/" + name;
    return out.empty() ? "/" : out;
}

// The folder that holds the file at path, as the system finds it.
std::string folderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// The file that writing to path reaches: path itself, or the end of the chain
// of symbolic links that starts there.
std::string writtenThrough(std::string path)
{
    for (int depth = 0; depth < 40; ++depth) {
        char target[PATH_MAX];
        const ssize_t n = readlink(path.c_str(), target, sizeof target);
        if (n <= 0 || n == ssize_t(sizeof target))
            return path;  // not a link
        const std::string next(target, size_t(n));
        path = next[0] == '/' ? next : folderOf(path) + "/" + next;  // relative to the link's folder
    }
    return path;
}

// Why a write failed, from the system's error number, as the end of a
// Russian sentence.
Message reasonOf(int error)
{
    switch (error) {
    case ENOSPC:
        return Message("нет места на диске");
    case EDQUOT:
        return Message("исчерпана дисковая квота");
    case EFBIG:
        return Message("файл превысил допустимый размер");
    case EACCES:
    case EPERM:
        return Message("нет права записи");
    case EROFS:
        return Message("файловая система доступна только для чтения");
    case ENAMETOOLONG:
        return Message("слишком длинное имя");
    case ELOOP:
        return Message("символические ссылки замыкаются в круг");
    case EPIPE:
        return Message("читавшая программа закрыла канал");
    case EIO:
        return Message("ошибка ввода-вывода");
    default:
        return Message("ошибка записи (%1)").arg(std::strerror(error));  // the system's words
    }
}

Message notWritten(const std::string& path, const Message& reason)
{
    return Message("Не удалось записать файл %1: %2.").arg(QuotedForMessage(path)).arg(reason);
}

// Written into as they are: the program's output goes to a reader or a device.
bool isStream(const struct stat& s) { return S_ISFIFO(s.st_mode) || S_ISCHR(s.st_mode); }

// Why what is there is neither replaced nor written into.
Message notPlainFile(const struct stat& s)
{
    return Message(S_ISSOCK(s.st_mode)  ? "это сокет, а не обычный файл"
                   : S_ISBLK(s.st_mode) ? "это блочное устройство, а не обычный файл"
                                        : "это особый файл, а не обычный файл");
}

// Why no file can be made in the folder, if it cannot (the folder's name as
// a file manager shows it).
std::optional<Message> folderProblem(const std::string& folder, const std::string& path)
{
    const std::string shown = QuotedForMessage(absoluteClean(folder));
    struct stat s;
    if (stat(folder.c_str(), &s) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return Message("Папки %1 нет, файл %2 записать нельзя.").arg(shown).arg(QuotedForMessage(path));
        return notWritten(path, reasonOf(errno));
    }
    if (!S_ISDIR(s.st_mode))
        return Message("%1 — не папка, файл %2 записать нельзя.").arg(shown).arg(QuotedForMessage(path));
    if (access(folder.c_str(), W_OK) != 0)
        return errno == EACCES ? Message("Нет права записи в папку %1.").arg(shown) : notWritten(path, reasonOf(errno));
    return std::nullopt;
}

// A name for the new file beside target, as long as the file system allows.
std::string temporaryName(const std::string& target)
{
    std::random_device random;
    const std::string suffix = "." + std::to_string(random() % 1000000000u);
    const size_t nameStart = target.rfind('/') + 1;  // 0 without a slash
    return target.substr(0, nameStart + NAME_MAX - suffix.size()) + suffix;  // a long name cut short
}

// Writes into a pipe or a device as write() does, but a pipe its reader has
// closed fails with EPIPE instead of ending the program by SIGPIPE: the
// signal is held back during the write and taken back unseen.
ssize_t writeHoldingPipeSignal(int fd, std::string_view piece)
{
    sigset_t pipeSignal, previous, pending;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
    const auto pipeSignalPending = [&] { return sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE) == 1; };
    const bool pendingBefore = pipeSignalPending();
    const ssize_t n = ::write(fd, piece.data(), piece.size());  // a part may be written before the reader goes
    const int error = errno;
    if (!pendingBefore && pipeSignalPending()) {
        const timespec now{};
        sigtimedwait(&pipeSignal, nullptr, &now);
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    errno = error;
    return n;
}

}  // namespace

std::optional<Message> OutputPathProblem(const std::string& path)
{
    const std::string folder = folderOf(writtenThrough(path));  // where a new file would be made
    struct stat s;
    if (stat(path.c_str(), &s) != 0) {
        if (errno != ENOENT && errno != ENOTDIR)
            return notWritten(path, reasonOf(errno));
        return folderProblem(folder, path);  // a new file
    }
    if (S_ISDIR(s.st_mode))
        return Message("%1 — это папка, а не файл.").arg(QuotedForMessage(path));
    if (isStream(s))
        return access(path.c_str(), W_OK) == 0 ? std::nullopt : std::optional(notWritten(path, reasonOf(errno)));
    if (!S_ISREG(s.st_mode))
        return notWritten(path, notPlainFile(s));
    if (auto problem = folderProblem(folder, path))
        return problem;
    if (access(path.c_str(), W_OK) != 0)
        return Message("Файл %1 защищен от записи.").arg(QuotedForMessage(path));
    return std::nullopt;
}

FileReplacement::FileReplacement(const std::string& path, PipeWithoutReader noReader)
    : path_(path), target_(writtenThrough(path))
{
    struct stat s;
    if (stat(path.c_str(), &s) != 0) {
        if (errno == ENOENT)
            openNewFile();
        else
            fail(errno);
    } else if (S_ISREG(s.st_mode)) {
        openNewFile();
    } else if (isStream(s)) {
        openStream(S_ISFIFO(s.st_mode), noReader);
    } else {
        fail(notPlainFile(s));
    }
}

void FileReplacement::openNewFile()
{
    // A new file without a name, in the folder of the one it replaces.
    fd_ = open(folderOf(target_).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);  // 0666 less the umask
    if (fd_ < 0) {
        // The file system has no such files: a named one, gone again unless it is completed.
        holdInterruptions();
        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            const std::string name = temporaryName(target_);
            fd_ = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0)
                named_ = name;
            else if (errno != EEXIST)
                break;
        }
        if (fd_ < 0)
            return fail(errno);
    }
    struct stat old;
    if (stat(target_.c_str(), &old) == 0)
        fchmod(fd_, old.st_mode & 07777);  // the file replaced keeps its permissions
}

// Opens the pipe or the device at path for writing into it, as it is.
void FileReplacement::openStream(bool isPipe, PipeWithoutReader noReader)
{
    stream_ = true;
    // Without O_NONBLOCK a pipe waits for its reader, and some devices (a serial line) for their other end.
    const bool wait = isPipe && noReader == PipeWithoutReader::Wait;
    do
        fd_ = open(path_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | (wait ? 0 : O_NONBLOCK));
    while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0)
        return isPipe && errno == ENXIO ? fail(Message("из канала никто не читает")) : fail(errno);
    struct stat s;
    if (fstat(fd_, &s) != 0 || !isStream(s))
        return fail(Message("файл подменили, пока его открывали"));
    if (!wait)
        fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) & ~O_NONBLOCK);  // a write waits for a slow reader
}

FileReplacement::~FileReplacement()
{
    if (fd_ >= 0)
        close(fd_);
    if (!named_.empty())
        unlink(named_.c_str());
    if (blocked_)
        pthread_sigmask(SIG_SETMASK, &previousMask_, nullptr);
}

void FileReplacement::holdInterruptions()
{
    if (blocked_)
        return;
    sigset_t held;
    sigemptyset(&held);
    for (int s : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
        sigaddset(&held, s);
    blocked_ = pthread_sigmask(SIG_BLOCK, &held, &previousMask_) == 0;
}

void FileReplacement::fail(int error) { fail(reasonOf(error)); }

void FileReplacement::fail(Message reason)
{
    if (reason_.empty())
        reason_ = std::move(reason);  // the first failure is the reason
}

bool FileReplacement::write(std::string_view piece)
{
    const off_t start = written_;
    while (reason_.empty() && !piece.empty()) {
        const ssize_t n = stream_ ? writeHoldingPipeSignal(fd_, piece) : ::write(fd_, piece.data(), piece.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            fail(n < 0 ? errno : EIO);
        } else {
            piece.remove_prefix(size_t(n));
            written_ += n;
        }
    }
    // The disk starts on this piece now, so that the flush at the end has less to wait for.
    if (reason_.empty() && !stream_)
        sync_file_range(fd_, start, written_ - start, SYNC_FILE_RANGE_WRITE);
    return reason_.empty();
}

// Gives the nameless new file a temporary name beside the one it replaces.
bool FileReplacement::linkNamed()
{
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = temporaryName(target_);
        if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            named_ = name;
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    fail(errno);
    return false;
}

std::optional<Message> FileReplacement::closeStream()
{
    if (fd_ >= 0 && close(fd_) != 0)
        fail(errno);
    fd_ = -1;
    return reason_.empty() ? std::nullopt : std::optional(notWritten(path_, reason_));
}

std::optional<Message> FileReplacement::commit()
{
    if (stream_)
        return closeStream();
    if (reason_.empty() && fdatasync(fd_) != 0)
        fail(errno);
    if (reason_.empty()) {
        holdInterruptions();  // from here the new file has a name until it is renamed
        if (named_.empty())
            linkNamed();
    }
    if (fd_ >= 0) {
        if (close(fd_) != 0)
            fail(errno);
        fd_ = -1;
    }
    // Only a plain file is replaced, whatever has come to its place meanwhile.
    struct stat old;
    if (reason_.empty() && lstat(target_.c_str(), &old) == 0 && !S_ISREG(old.st_mode))
        fail(Message("на его месте теперь не обычный файл"));
    if (reason_.empty() && rename(named_.c_str(), target_.c_str()) != 0)
        fail(errno);
    if (!reason_.empty())
        return notWritten(path_, reason_);
    named_.clear();
    return std::nullopt;
}

std::optional<Message> ReplaceFile(const std::string& path, std::string_view contents, PipeWithoutReader noReader)
{
    if (auto problem = OutputPathProblem(path))
        return problem;
    FileReplacement file(path, noReader);
    file.write(contents);
    return file.commit();
}
