#include "measure/measured_units.h"

#include <algorithm>
#include <iterator>

namespace {

// A unit with its name for the export tool, its Russian symbol and how many of it make the SI unit.
template <typename Unit>
struct UnitEntry {
    Unit unit;
    std::string_view toolName;
    std::string_view symbol;
    double perSi;
};

constexpr UnitEntry<LengthUnit> kLengthUnits[] = {
    {LengthUnit::Metre, "m", "м", 1},
    {LengthUnit::Centimetre, "cm", "см", 100},
    {LengthUnit::Millimetre, "mm", "мм", 1000},
};

constexpr UnitEntry<FluxDensityUnit> kFluxDensityUnits[] = {
    {FluxDensityUnit::Tesla, "T", "Тл", 1},
    {FluxDensityUnit::Millitesla, "mT", "мТл", 1000},
    {FluxDensityUnit::Gauss, "G", "Гс", 10000},  // 1 G = 1e-4 T
};

template <typename Unit, size_t N>
const UnitEntry<Unit>& EntryOf(Unit unit, const UnitEntry<Unit> (&entries)[N])
{
    const auto* found = std::find_if(std::begin(entries), std::end(entries), [&](const auto& e) { return e.unit == unit; });
    return found != std::end(entries) ? *found : entries[0];
}

template <typename Unit, size_t N>
std::optional<Unit> UnitNamed(std::string_view name, const UnitEntry<Unit> (&entries)[N])
{
    for (const UnitEntry<Unit>& e : entries)
        if (e.toolName == name)
            return e.unit;
    return std::nullopt;
}

}  // namespace

double PerMetre(LengthUnit unit) { return EntryOf(unit, kLengthUnits).perSi; }
double PerTesla(FluxDensityUnit unit) { return EntryOf(unit, kFluxDensityUnits).perSi; }
std::string_view UnitSymbol(LengthUnit unit) { return EntryOf(unit, kLengthUnits).symbol; }
std::string_view UnitSymbol(FluxDensityUnit unit) { return EntryOf(unit, kFluxDensityUnits).symbol; }

std::optional<MeasuredUnits> MeasuredUnitsFromText(std::string_view text)
{
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    const auto z = UnitNamed(text.substr(0, colon), kLengthUnits);
    const auto b = UnitNamed(text.substr(colon + 1), kFluxDensityUnits);
    if (!z || !b)
        return std::nullopt;
    return MeasuredUnits{*z, *b};
}

std::string MeasuredUnitsText(MeasuredUnits units)
{
    return std::string(EntryOf(units.z, kLengthUnits).toolName) + ":" + std::string(EntryOf(units.b, kFluxDensityUnits).toolName);
}
