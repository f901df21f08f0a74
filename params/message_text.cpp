#include "params/message_text.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace {

// Length of the well-formed UTF-8 character at the start of text, or 0: the
// shortest encoding of a code point up to U+10FFFF that is no surrogate.
size_t characterLength(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    const size_t n = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (n == 0 || n > text.size())
        return 0;
    char32_t code = n == 1 ? lead : lead & (0x7F >> n);
    for (size_t k = 1; k < n; ++k) {
        const auto next = static_cast<unsigned char>(text[k]);
        if ((next >> 6) != 0x2)
            return 0;
        code = (code << 6) | (next & 0x3F);
    }
    constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kShortest[n] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return n;
}

}  // namespace

std::string QuotedForMessage(std::string_view text)
{
    constexpr size_t kMaxBytes = 60;
    std::string out = "«";
    size_t i = 0;
    while (i < text.size()) {
        if (i >= kMaxBytes) {
            out += "…";
            break;
        }
        const size_t n = characterLength(text.substr(i));
        const auto c = static_cast<unsigned char>(text[i]);
        if (n == 0 || c < 0x20 || c == 0x7F) {
            out += '?';  // a control character or a byte that is not UTF-8
            i += 1;
        } else {
            out += text.substr(i, n);
            i += n;
        }
    }
    return out + "»";
}

Message OpeningProblem(int error)
{
    switch (error) {
    case ENOENT:
        return Message("такого файла нет");
    case EACCES:
    case EPERM:
        return Message("нет прав на чтение");
    default:
        return Message("файл не открывается");
    }
}
