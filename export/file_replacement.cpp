#include "export/file_replacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
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
        path = next[0] == '/' ? next : folderOf(path) + "/" + next;  // relative to the link's folder
    }
    return path;
}

std::string randomSuffix()
{
    std::random_device random;
    return "." + std::to_string(random() % 1000000000u);
}

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

FileReplacement::FileReplacement(const std::string& path) : path_(path), target_(writtenThrough(path))
{
    // A new file without a name, in the folder of the one it replaces.
    fd_ = open(folderOf(target_).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);  // 0666 less the umask
    if (fd_ < 0) {
        // The file system has no such files: a named one, gone again unless it is completed.
        holdInterruptions();
        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            const std::string name = target_ + randomSuffix();
            fd_ = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0)
                named_ = name;
            else if (errno != EEXIST)
                break;
        }
    }
    struct stat old;
    if (fd_ >= 0 && stat(target_.c_str(), &old) == 0)
        fchmod(fd_, old.st_mode & 07777);  // the file replaced keeps its permissions
    failed_ = fd_ < 0;
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

void FileReplacement::write(std::string_view piece)
{
    const off_t start = written_;
    while (!failed_ && !piece.empty()) {
        const ssize_t n = ::write(fd_, piece.data(), piece.size());
        if (n < 0 && errno == EINTR)
            continue;
        failed_ = n <= 0;
        if (n > 0) {
            piece.remove_prefix(size_t(n));
            written_ += n;
        }
    }
    // The disk starts on this piece now, so that the flush at the end has less to wait for.
    if (!failed_)
        sync_file_range(fd_, start, written_ - start, SYNC_FILE_RANGE_WRITE);
}

// Gives the nameless new file a temporary name beside the one it replaces.
bool FileReplacement::linkNamed()
{
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = target_ + randomSuffix();
        if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            named_ = name;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

std::optional<std::string> FileReplacement::commit()
{
    bool done = !failed_ && fdatasync(fd_) == 0;
    if (done) {
        holdInterruptions();  // from here the new file has a name until it is renamed
        done = !named_.empty() || linkNamed();
    }
    if (fd_ >= 0) {
        done = close(fd_) == 0 && done;
        fd_ = -1;
    }
    if (done && rename(named_.c_str(), target_.c_str()) == 0) {
        named_.clear();
        return std::nullopt;
    }
    return "Не удалось записать файл " + QuotedForMessage(path_) + ": ошибка записи (нет места на диске?).";
}

std::optional<std::string> ReplaceFile(const std::string& path, std::string_view contents)
{
    if (auto problem = OutputPathProblem(path))
        return problem;
    FileReplacement file(path);
    file.write(contents);
    return file.commit();
}
