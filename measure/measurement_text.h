#pragma once

#include <string>
#include <string_view>

// The text of a measurement file as UTF-8, whatever the file's encoding:
// - UTF-8 with a byte order mark: the text after it;
// - UTF-16 with a byte order mark, little- or big-endian (a spreadsheet's
//   "Unicode text"), and UTF-16 without one, whose byte order the zero high
//   bytes of its ASCII characters tell (the digits of the data rows, whatever
//   the header's letters): converted; a unit that makes no character (a lone
//   surrogate, a last odd byte) becomes U+FFFD;
// - anything else: the bytes as they are (UTF-8 or plain ASCII; bytes that
//   are not UTF-8 are left for the reader to find).
// `text` views either the bytes or `converted`.
struct DecodedText {
    std::string converted;
    std::string_view text;
};
void DecodeMeasurementText(std::string_view bytes, DecodedText& out);

// How much of a measurement file is shown beside the choice of its units.
inline constexpr std::size_t kFileHeadBytes = 2048;
inline constexpr std::size_t kFileHeadLines = 6;

// The first lines of a file (of at most its first kFileHeadBytes bytes) as the
// reader will see them, as UTF-8: at most kFileHeadLines lines, each line end
// a '\n', each tab four blanks.
std::string MeasurementFileHead(std::string_view bytes);
