#pragma once

#include <optional>
#include <string>
#include <string_view>

// Why no file can be written at path, as one Russian sentence; nothing when
// its folder exists and takes new files.
std::optional<std::string> OutputPathProblem(const std::string& path);

// Writes contents to the file at path as a whole: into a temporary file beside
// it, flushed to the disk, which is then renamed over it. A failure leaves an
// existing file as it was and no temporary file behind, and gives its reason
// as one Russian sentence. An existing file keeps its permissions, and a
// symbolic link is written through to its target. Interrupting signals
// (Ctrl+C, kill) wait until the file is complete or the temporary file is gone.
std::optional<std::string> ReplaceFile(const std::string& path, std::string_view contents);
