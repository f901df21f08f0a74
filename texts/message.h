#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "texts/language.h"

// A sentence for the user, kept apart from the language it is shown in: a
// text of the catalogues, the Russian one, with the places %1 … %9 filled by
// its arguments. The view writes it in the user's language with Text();
// until then nothing is translated, so the same message reads anew when the
// user switches languages.
//   Message("Файл %1 не открыт.").arg(QuotedForMessage(name))
class Message {
public:
    Message() = default;  // no message
    explicit Message(std::string_view pattern) : pattern_(pattern) {}

    // The next argument: a text put in as it stands (a file name, what the user typed,
    // a number already written), or a message written in the same language.
    Message& arg(std::string_view verbatim);
    Message& arg(Message nested);
    // A number as printf writes it with the format (one conversion of a
    // double), with the language's decimal point; in Russian the one given.
    Message& number(const char* format, double value, char russianDecimalPoint = ',');
    // A whole number.
    Message& count(long long value);

    bool empty() const { return pattern_.empty(); }
    const std::string& pattern() const { return pattern_; }

    friend bool operator==(const Message&, const Message&) = default;

private:
    struct Number {
        std::string format;
        double value = 0;
        char russianDecimalPoint = ',';
        friend bool operator==(const Number&, const Number&) = default;
    };
    struct Part {
        std::variant<std::string, Number> value;  // a nested message when neither
        std::vector<Message> nested;              // none or one
        friend bool operator==(const Part&, const Part&) = default;
    };

    std::string pattern_;
    std::vector<Part> args_;

    friend std::string Text(const Message& message, const Language& language);
};

// The message in the language: its pattern translated, each %n replaced by
// the n-th argument (a % not followed by 1 … 9 stays as it is). Empty for no message.
std::string Text(const Message& message, const Language& language);

// The message as the Russian program shows it.
inline std::string RussianText(const Message& message) { return Text(message, Language()); }
