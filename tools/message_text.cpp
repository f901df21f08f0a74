#include "tools/message_text.h"

std::string QuotedForMessage(std::string_view text)
{
    constexpr size_t kMaxBytes = 60;
    std::string out = "«";
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool startsCharacter = (c & 0xC0) != 0x80;
        if (i >= kMaxBytes && startsCharacter) {
            out += "…";
            break;
        }
        out += (c < 0x20 || c == 0x7F) ? '?' : static_cast<char>(c);
    }
    return out + "»";
}
