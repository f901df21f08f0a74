#include "tools/lesson_file_at_path.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>

#include "params/message_text.h"

namespace {

// Why the opened file is not read; nothing when it is a plain file of a size taken.
std::optional<Message> KindProblem(int fd)
{
    struct stat s {};
    if (fstat(fd, &s) != 0)
        return OpeningProblem(errno);
    if (S_ISDIR(s.st_mode))
        return Message("это папка, а не файл опыта");
    if (!S_ISREG(s.st_mode))
        return Message("это не обычный файл");
    if (static_cast<unsigned long long>(s.st_size) > kMostLessonFileBytes)
        return Message("больше 64 МБ: это не файл опыта");
    return std::nullopt;
}

// The file's bytes, up to one past the largest size taken; nothing when reading fails.
std::optional<std::string> BytesOf(int fd)
{
    std::string bytes;
    char piece[1 << 16];
    while (bytes.size() <= kMostLessonFileBytes) {
        const ssize_t n = read(fd, piece, sizeof piece);
        if (n == 0)
            return bytes;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        bytes.append(piece, static_cast<size_t>(n));
    }
    return bytes;
}

}  // namespace

LessonReading ReadLessonFileAt(const std::string& path)
{
    const std::string name = std::filesystem::path(path).filename().string();
    LessonReading reading;
    const auto refused = [&](const Message& why) {
        reading.refusal = Message("Файл %1 не открыт: %2.").arg(QuotedForMessage(name)).arg(why);
        return reading;
    };
    // Without waiting: a pipe is refused below rather than waited on.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return refused(OpeningProblem(errno));
    std::optional<Message> problem = KindProblem(fd);
    std::optional<std::string> bytes;
    if (!problem) {
        bytes = BytesOf(fd);
        if (!bytes)
            problem = Message("прочитать не удалось");
        else if (bytes->size() > kMostLessonFileBytes)
            problem = Message("больше 64 МБ: это не файл опыта");  // it grew while read
    }
    close(fd);
    if (problem)
        return refused(*problem);
    return ReadLessonFile(*bytes, name);
}
