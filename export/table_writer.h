#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "field/run_stop.h"

// The text of a table as it is made: rows are appended to text(), and every
// few hundred kilobytes the text so far goes to the output, so that a long
// table is written while it is still being computed and never lies in
// memory whole. An output that cannot take a piece (a full disk) returns
// false, and the writer then ends the computation with RunStopped
// (field/run_stop.h): nothing more is computed for a table that cannot be
// written.
class TableWriter {
public:
    using Output = std::function<bool(std::string_view piece)>;

    explicit TableWriter(Output output) : output_(std::move(output)) { text_.reserve(2 * kPieceBytes); }

    std::string& text() { return text_; }

    // After each row: hands the text on once it has grown to a piece.
    void endRow()
    {
        if (text_.size() >= kPieceBytes)
            flush();
    }

    // Hands on whatever text there is; RunStopped when the output refuses it.
    void flush()
    {
        if (!text_.empty() && !output_(text_))
            throw RunStopped{};
        text_.clear();
    }

private:
    static constexpr size_t kPieceBytes = size_t{1} << 18;

    Output output_;
    std::string text_;
};
