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
