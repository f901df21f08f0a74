#include "tools/file_replacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <random>
#include <vector>

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

// The folder that holds the file of an absolute, clean path.
std::string folderOf(const std::string& file)
{
    const size_t slash = file.rfind('/');
    return slash == 0 ? "/" : file.substr(0, slash);
}

bool isFolder(const std::string& path)
{
    struct stat s;
    return stat(path.c_str(), &s) == 0 && S_ISDIR(s.st_mode);
}

bool exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }
bool writable(const std::string& path) { return access(path.c_str(), W_OK) == 0; }

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
        path = next[0] == '/' ? next : folderOf(absoluteClean(path)) + "/" + next;
    }
    return path;
}

// A new file beside the one to replace, removed again unless committed.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target) : target_(target)
    {
        std::random_device random;
        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            name_ = target + "." + std::to_string(random() % 1000000000u);
            fd_ = open(name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);  // 0666 less the umask
            if (fd_ < 0 && errno != EEXIST)
                break;
        }
        struct stat old;
        if (fd_ >= 0 && stat(target.c_str(), &old) == 0)
            fchmod(fd_, old.st_mode & 07777);  // the file replaced keeps its permissions
    }
    ~TemporaryFile()
    {
        if (fd_ >= 0)
            close(fd_);
        if (!committed_ && fd_ != kNeverOpened)
            unlink(name_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Writes everything; false on the first error (a full disk, a file-size limit).
    bool write(std::string_view contents)
    {
        while (fd_ >= 0 && !contents.empty()) {
            const ssize_t n = ::write(fd_, contents.data(), contents.size());
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            contents.remove_prefix(size_t(n));
        }
        return fd_ >= 0;
    }

    // Puts the file on the disk and in the place of the old one.
    bool commit()
    {
        const int fd = fd_;
        fd_ = kClosed;
        const bool onDisk = fdatasync(fd) == 0;
        const bool closed = close(fd) == 0;
        committed_ = onDisk && closed && rename(name_.c_str(), target_.c_str()) == 0;
        return committed_;
    }

private:
    static constexpr int kNeverOpened = -1;
    static constexpr int kClosed = -2;

    std::string target_;
    std::string name_;
    int fd_ = kNeverOpened;
    bool committed_ = false;
};

}  // namespace

std::optional<std::string> OutputPathProblem(const std::string& path)
{
    const std::string file = absoluteClean(path);
    const std::string folder = folderOf(file);
    if (!exists(folder))
        return "Папки " + QuotedForMessage(folder) + " нет, файл " + QuotedForMessage(path) + " записать нельзя.";
    if (!isFolder(folder))
        return QuotedForMessage(folder) + " — не папка, файл " + QuotedForMessage(path) + " записать нельзя.";
    if (isFolder(file))
        return QuotedForMessage(path) + " — это папка, а не файл.";
    if (!writable(folder))
        return "Нет права записи в папку " + QuotedForMessage(folder) + ".";
    if (exists(file) && !writable(file))
        return "Файл " + QuotedForMessage(path) + " защищен от записи.";
    return std::nullopt;
}

std::optional<std::string> ReplaceFile(const std::string& path, std::string_view contents)
{
    if (auto problem = OutputPathProblem(path))
        return problem;
    const InterruptionsHeldBack heldBack;
    TemporaryFile file(writtenThrough(path));
    if (file.write(contents) && file.commit())
        return std::nullopt;
    return "Не удалось записать файл " + QuotedForMessage(path) + ": ошибка записи (нет места на диске?).";
}
