#pragma once

#include <optional>
#include <string>
#include <string_view>

// The units a measurement table is written in, as the user says they are:
// positions along the axis in metres, centimetres or millimetres, the flux
// density in tesla, millitesla or gauss. Read values are kept in metres and
// tesla.
enum class LengthUnit { Metre, Centimetre, Millimetre };
enum class FluxDensityUnit { Tesla, Millitesla, Gauss };

struct MeasuredUnits {
    LengthUnit z = LengthUnit::Centimetre;             // a school ruler
    FluxDensityUnit b = FluxDensityUnit::Millitesla;   // a school teslameter

    friend bool operator==(const MeasuredUnits&, const MeasuredUnits&) = default;
};

// How many of the unit make one metre or one tesla: 1, 100, 1000; 1, 1000,
// 10000. A value in the unit divided by it is in metres or tesla, correctly
// rounded.
double PerMetre(LengthUnit unit);
double PerTesla(FluxDensityUnit unit);

// The Russian symbols: «м», «см», «мм»; «Тл», «мТл», «Гс».
std::string_view UnitSymbol(LengthUnit unit);
std::string_view UnitSymbol(FluxDensityUnit unit);

// The units named as the export tool takes them, "Z:B" with Z one of m, cm,
// mm and B one of T, mT, G (exactly so); nothing for anything else.
std::optional<MeasuredUnits> MeasuredUnitsFromText(std::string_view text);

// The units as MeasuredUnitsFromText reads them: "cm:mT".
std::string MeasuredUnitsText(MeasuredUnits units);
