#include "field/arrangement_field.h"

#include "field/axial_field.h"

namespace {

// The sum over the coils of current * term(z - offset), begun with the first
// coil's term itself, so that one coil gives its term bit for bit; zero
// without coils.
template <class Term, class Add>
auto Sum(const CoilArrangement& coils, double z, const Term& term, const Add& add)
{
    if (coils.coils.empty())
        return decltype(term(PlacedCoil{}, z)){};
    auto sum = term(coils.coils.front(), z - coils.coils.front().offset);
    for (size_t i = 1; i < coils.coils.size(); ++i)
        add(sum, term(coils.coils[i], z - coils.coils[i].offset));
    return sum;
}

ExactFieldValue Scaled(ExactFieldValue h, double current)
{
    h.hz *= current;
    h.hr *= current;
    return h;
}

void AddField(ExactFieldValue& sum, const ExactFieldValue& h)
{
    sum.hz += h.hz;
    sum.hr += h.hr;
    if (sum.kind == FieldPointKind::Regular)
        sum.kind = h.kind;
}

}  // namespace

ExactFieldValue ExactField(const CalcParams& p, const CoilArrangement& coils, double z, double r)
{
    return Sum(
        coils, z, [&](const PlacedCoil& c, double zc) { return Scaled(ExactField(p, zc, r), c.current); }, AddField);
}

double FluxFunction(const CalcParams& p, const CoilArrangement& coils, double z, double r)
{
    return Sum(
        coils, z, [&](const PlacedCoil& c, double zc) { return c.current * FluxFunction(p, zc, r); },
        [](double& sum, double psi) { sum += psi; });
}

FieldAndFlux ExactFieldAndFlux(const CalcParams& p, const CoilArrangement& coils, double z, double r)
{
    return Sum(
        coils, z,
        [&](const PlacedCoil& c, double zc) {
            const FieldAndFlux f = ExactFieldAndFlux(p, zc, r);
            return FieldAndFlux{Scaled(f.field, c.current), c.current * f.psi};
        },
        [](FieldAndFlux& sum, const FieldAndFlux& f) {
            AddField(sum.field, f.field);
            sum.psi += f.psi;
        });
}

float AxialField(const CalcParams& p, const CoilArrangement& coils, double z)
{
    const double h = Sum(
        coils, z, [&](const PlacedCoil& c, double zc) { return c.current * AxialFieldUnrounded(p, zc); },
        [](double& sum, double term) { sum += term; });
    return static_cast<float>(h);
}
