#include "params/coil_arrangement.h"

#include "params/coil_size_text.h"
#include "params/decimal_text.h"

const CoilArrangement& SingleCoil()
{
    static const CoilArrangement single;
    return single;
}

bool IsProgramCoil(const CoilArrangement& a)
{
    return a == SingleCoil();
}

namespace {

// The sum of the currents of the coils placed at z = offset.
double CurrentAt(const CoilArrangement& a, double offset)
{
    double sum = 0;
    for (const PlacedCoil& c : a.coils)
        if (c.offset == offset)
            sum += c.current;
    return sum;
}

}  // namespace

int MirrorParity(const CoilArrangement& a)
{
    bool even = true, odd = true;
    for (const PlacedCoil& c : a.coils) {
        const double here = CurrentAt(a, c.offset), mirrored = CurrentAt(a, -c.offset);
        even = even && mirrored == here;
        odd = odd && mirrored == -here;
    }
    return even ? 1 : odd ? -1 : 0;
}

bool FieldVanishes(const CoilArrangement& a)
{
    for (const PlacedCoil& c : a.coils)
        if (CurrentAt(a, c.offset) != 0)
            return false;
    return true;
}

CoilArrangement PairArrangement(const CoilPair& pair)
{
    const double half = pair.distance / 2;
    return CoilArrangement{{{-half, 1}, {half, pair.opposed ? -1.0 : 1.0}}};
}

std::optional<CoilPair> PairOf(const CoilArrangement& a)
{
    if (a.coils.size() != 2)
        return std::nullopt;
    const CoilPair pair{a.coils[1].offset - a.coils[0].offset, a.coils[1].current < 0};
    if (!(PairArrangement(pair) == a))
        return std::nullopt;
    return pair;
}

PairDistanceReading PairDistanceFromText(std::string_view text)
{
    const MetresReading reading = MetresFromText(text, kMostPairDistance);
    if (reading.metres)
        return {reading.metres, {}};
    if (!DecimalFromText(text))
        return {std::nullopt, Message("Расстояние D задается числом метров, например 0.2 или 0,35.")};
    return {std::nullopt, Message("Расстояние D должно быть от 0 до 20 м.")};
}
