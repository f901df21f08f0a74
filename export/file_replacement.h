#pragma once

#include <signal.h>
#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

#include "texts/message.h"

// Why nothing can be written at path, as one sentence (a message); nothing when
// it can be. What is there, once symbolic links are followed, decides: a
// plain file, or nothing yet, needs a folder that takes new files (for a
// link, the folder of the file it leads to); a named pipe or a character
// device (/dev/null, a terminal) needs the right to write into it; anything
// else (a folder, a socket, a block device) is refused. A name too long for
// the file system, links that lead round in a circle and the like are
// reported with their reason.
std::optional<Message> OutputPathProblem(const std::string& path);

// What writing into a named pipe that no program reads yet does: wait for a
// reader, as a shell's "> pipe" does, or fail at once (a window must not
// hang).
enum class PipeWithoutReader { Wait, Fail };

// A file written piece by piece and put in the place of the one at path only
// when it is complete: it is written as a new file beside the old one, which
// the new one replaces in one step once it is on the disk. Until then the
// new file has no name where the file system allows it, so that a program
// ended meanwhile leaves nothing behind; elsewhere interrupting signals
// (Ctrl+C, kill) wait until it is complete or gone. A failure leaves an
// existing file as it was and no new file behind. An existing file's
// permissions stay, and a symbolic link is written through to its target.
// Only a plain file is ever replaced: a named pipe or a character device at
// path (through links too, /dev/stdout as well) receives the pieces straight
// away, and what was written before a failure stays written; anything else
// there is left alone, and commit() says why.
class FileReplacement {
public:
    explicit FileReplacement(const std::string& path, PipeWithoutReader noReader = PipeWithoutReader::Wait);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Appends the piece; false once a write has failed (a full disk, a
    // file-size limit, a pipe its reader has closed), after which nothing
    // more is written, and commit() reports why.
    bool write(std::string_view piece);

    // Puts the file in place; else why not, as one sentence (a message).
    std::optional<Message> commit();

private:
    void openNewFile();
    void openStream(bool isPipe, PipeWithoutReader noReader);
    std::optional<Message> closeStream();
    void holdInterruptions();
    bool linkNamed();
    void fail(int error);
    void fail(Message reason);

    std::string path_;    // as the user gave it
    std::string target_;  // the file replaced: path, or where its links lead
    std::string named_;   // the new file's temporary name, once it has one
    int fd_ = -1;
    bool stream_ = false;   // a pipe or a device written into, not replaced
    Message reason_;        // why writing failed; empty while it has not
    bool blocked_ = false;  // interrupting signals held back
    off_t written_ = 0;
    sigset_t previousMask_;
};

// Writes contents to the file at path as a whole, as FileReplacement does.
std::optional<Message> ReplaceFile(const std::string& path, std::string_view contents,
                                       PipeWithoutReader noReader = PipeWithoutReader::Wait);
