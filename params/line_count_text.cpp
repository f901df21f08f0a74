#include "params/line_count_text.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>

#include "params/decimal_text.h"

namespace {

// Walks the text while skipping the characters that never count.
class NumberReader {
public:
    explicit NumberReader(std::string_view text) : text_(text) { skipBlanks(); }

    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[pos_]; }
    void advance()
    {
        ++pos_;
        skipBlanks();
    }

private:
    void skipBlanks()
    {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n'))
            ++pos_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int digitValue(char c, int base)
{
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v < base ? v : -1;
}

// A whole number after "&H" or "&O".
double readWholeNumber(NumberReader& in, int base)
{
    double value = 0;
    for (int d = digitValue(in.peek(), base); d >= 0; d = digitValue(in.peek(), base)) {
        value = value * base + d;
        in.advance();
    }
    return value;
}

double readDecimalNumber(NumberReader& in)
{
    bool negative = false;
    if (in.peek() == '+' || in.peek() == '-') {
        negative = in.peek() == '-';
        in.advance();
    }

    // Significant digits, with the decimal exponent of the point among them.
    std::string digits;
    long long pointExponent = 0;  // value = 0.<digits> * 10^pointExponent before the E part
    bool anyDigit = false;
    bool afterPoint = false;
    for (;;) {
        const char c = in.peek();
        if (isDigit(c)) {
            anyDigit = true;
            if (c == '0' && digits.empty()) {
                if (afterPoint)
                    --pointExponent;  // a leading zero of the fraction
            } else {
                digits += c;
                if (!afterPoint)
                    ++pointExponent;
            }
            in.advance();
        } else if (c == '.' && !afterPoint) {
            afterPoint = true;
            in.advance();
        } else {
            break;
        }
    }
    if (!anyDigit)
        return 0;

    long long exponent = 0;
    if (in.peek() == 'E' || in.peek() == 'e') {
        in.advance();
        bool negativeExponent = false;
        if (in.peek() == '+' || in.peek() == '-') {
            negativeExponent = in.peek() == '-';
            in.advance();
        }
        constexpr long long kExponentCap = 1'000'000'000;  // far beyond any double
        while (isDigit(in.peek())) {
            if (exponent < kExponentCap)
                exponent = exponent * 10 + (in.peek() - '0');
            in.advance();
        }
        if (negativeExponent)
            exponent = -exponent;
    }

    double magnitude = 0;
    if (!digits.empty()) {
        const long long decimalExponent = pointExponent + exponent;
        if (decimalExponent > 400) {
            magnitude = std::numeric_limits<double>::infinity();
        } else if (decimalExponent >= -400) {
            const std::string number = "0." + digits + "e" + std::to_string(decimalExponent);
            const auto result = std::from_chars(number.data(), number.data() + number.size(), magnitude);
            if (result.ec == std::errc::result_out_of_range)
                magnitude = decimalExponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        }
    }
    return negative ? -magnitude : magnitude;
}

}  // namespace

double LineCountFromText(std::string_view text)
{
    NumberReader in(text);
    if (in.peek() == '&') {
        in.advance();
        const char kind = in.peek();
        if (kind == 'H' || kind == 'h') {
            in.advance();
            return readWholeNumber(in, 16);
        }
        if (kind == 'O' || kind == 'o') {
            in.advance();
            return readWholeNumber(in, 8);
        }
        return 0;
    }
    return readDecimalNumber(in);
}

LineCountReading WrittenLineCount(std::string_view text)
{
    const std::optional<double> written = DecimalFromText(text);
    const double read = LineCountFromText(text);
    if (!written || *written != read || !std::isfinite(read) || read > kMostLineCount)
        return {std::nullopt, Message("Число линий задается числом не больше 200, например 7.")};
    return {read, {}};
}
