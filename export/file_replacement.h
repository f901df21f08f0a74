#pragma once

#include <signal.h>
#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

// Why no file can be written at path, as one Russian sentence; nothing when
// its folder exists and takes new files.
std::optional<std::string> OutputPathProblem(const std::string& path);

// A file written piece by piece and put in the place of the one at path only
// when it is complete: it is written as a new file beside the old one, which
// the new one replaces in one step once it is on the disk. Until then the
// new file has no name where the file system allows it, so that a program
// ended meanwhile leaves nothing behind; elsewhere interrupting signals
// (Ctrl+C, kill) wait until it is complete or gone. A failure leaves an
// existing file as it was and no new file behind. An existing file's
// permissions stay, and a symbolic link is written through to its target.
class FileReplacement {
public:
    explicit FileReplacement(const std::string& path);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Appends the piece; after a failure (a full disk, a file-size limit)
    // nothing more is written, and commit() reports it.
    void write(std::string_view piece);

    // Puts the file in place; else why not, as one Russian sentence.
    std::optional<std::string> commit();

private:
    void holdInterruptions();
    bool linkNamed();

    std::string path_;    // as the user gave it
    std::string target_;  // the file replaced: path, or where its links lead
    std::string named_;   // the new file's temporary name, once it has one
    int fd_ = -1;
    bool failed_ = false;
    bool blocked_ = false;  // interrupting signals held back
    off_t written_ = 0;
    sigset_t previousMask_;
};

// Writes contents to the file at path as a whole, as FileReplacement does.
std::optional<std::string> ReplaceFile(const std::string& path, std::string_view contents);
