#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The entries of the graph list, in list order.
inline constexpr std::string_view kAxisGraphEntry = "поле на оси Hz(z)";
inline constexpr std::string_view kFieldLinesGraphEntry = "линии напряженности";

// What selecting an entry of the graph list does.
struct GraphChoice {
    int16_t graphMode = 0;
    // Whether the line-count box and its caption are shown; nothing when they
    // keep their visibility.
    std::optional<bool> showLineCount;
};

// The choice for the text of the selected entry (UTF-8); the empty text stands
// for no selection. Only the exact entry texts count: any other text draws the
// axis graph and leaves the line-count box as it is.
GraphChoice GraphChoiceOfEntry(std::string_view entryText);
