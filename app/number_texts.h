#pragma once

#include <QString>

// Numbers as the window shows them, with the decimal separator of the shown
// language (in Russian the user's locale's) and no group separator.

// That decimal separator, as the core's texts take it.
char ShownDecimal();

// A parameter value as its label shows it: two decimals, or three for a
// value typed to the millimetre that needs them (0.021, but 0.20), or as many
// as a value typed finer needs to show it exactly (0.02524).
QString ValueLabelText(double value);

// A length in metres that may have been typed: three decimals, or as many
// as it needs to show exactly (0.350, 0.2005).
QString MetresText(double metres);

// A coordinate under the cursor, in metres: three decimals.
QString CoordinateText(double metres);

// A field value or a slope: four significant digits.
QString FieldValueText(double value);

// A value put into a box for the user to edit: as many digits as it needs.
QString EditableNumberText(double value);
