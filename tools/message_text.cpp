#include "tools/message_text.h"

namespace {

// Length of the well-formed UTF-8 character at the start of text, or 0.
size_t characterLength(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    const size_t n = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (n == 0 || n > text.size())
        return 0;
    for (size_t k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(text[k]) >> 6) != 0x2)
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
