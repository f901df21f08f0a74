#pragma once

#include <memory>
#include <stop_token>
#include <string>
#include <string_view>

#include "texts/message.h"
#include <vector>

#include "measure/measured_units.h"
#include "measure/measurement_set.h"

// Reading a table of measured values as classes have them: two numbers a
// row, z and B, the first two non-empty cells of each row (cells after them
// are left alone: a comment, a third column).
// - Encoding: as measure/measurement_text.h (UTF-8 with or without a BOM,
//   UTF-16 with a BOM).
// - Lines end in LF, CR LF or CR; the last may or may not. A line with
//   nothing but blanks, tabs, commas and semicolons is blank and skipped (a
//   spreadsheet's empty row).
// - The separator, one for the whole file, is guessed from the rows of
//   numbers (not from the header): a tab, a semicolon, a comma or runs of
//   blanks, whichever reads two numbers from most of the first rows (ties in
//   that order); never runs of blanks where a tab parts the first two cells
//   of every one of those rows. A cell may stand in double quotes.
// - Numbers: an optional sign (+, - or the minus sign U+2212), digits, a
//   decimal point, or a decimal comma where the separator is not a comma (or
//   the cell is quoted), an optional exponent. Finite and within double. The
//   whole part may be written in groups of three digits parted by a blank, a
//   no-break space, a narrow no-break space or a thin space (1 286,71), as
//   spreadsheets write them; a cell is read whole or not at all.
// - The first non-blank line is a header (any text, it may name units) when
//   it does not begin with two numbers; any later line must.
// - Repeated z, negative B and rows in any order are kept as they are.
//
// Reading is total: any bytes give either every point of the file, at least
// three, converted from the units to metres and tesla, or nothing and the
// reason naming the line where reading stopped (in Russian «строка 5: не
// число «xy»»), counted from 1 like an editor counts lines.
struct MeasurementReading {
    std::vector<MeasuredPoint> points;  // empty when refused
    Message refusal;                    // empty when read
};

MeasurementReading ReadMeasurements(std::string_view bytes, MeasuredUnits units, std::stop_token stop = {});
