#include "texts/message.h"

#include "texts/printed_number.h"

Message& Message::arg(std::string_view verbatim)
{
    args_.push_back({std::string(verbatim), {}});
    return *this;
}

Message& Message::arg(Message nested)
{
    args_.push_back({std::string(), {std::move(nested)}});
    return *this;
}

Message& Message::number(const char* format, double value, char russianDecimalPoint)
{
    args_.push_back({Number{format, value, russianDecimalPoint}, {}});
    return *this;
}

Message& Message::count(long long value) { return arg(std::to_string(value)); }

std::string Text(const Message& message, const Language& language)
{
    const std::string_view pattern = language.translated(message.pattern_);
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        const std::size_t n = i + 1 < pattern.size() ? static_cast<std::size_t>(pattern[i + 1] - '1') : 9;
        if (c != '%' || n >= 9 || n >= message.args_.size()) {
            text += c;
            continue;
        }
        const auto& part = message.args_[n];
        if (!part.nested.empty())
            text += Text(part.nested.front(), language);
        else if (const auto* verbatim = std::get_if<std::string>(&part.value))
            text += *verbatim;
        else {
            const auto& number = std::get<Message::Number>(part.value);
            text += PrintedNumber(number.format.c_str(), number.value, language.decimalPoint(number.russianDecimalPoint));
        }
        ++i;
    }
    return text;
}
