#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "texts/message.h"

// Coaxial coils, each of the radius and length of the program's coil
// (CalcParams), on its axis: the field of the arrangement is the sum of their
// fields. The program's own coil, centred on z = 0 with the program's
// current, is the arrangement of one.

// One coil of an arrangement.
struct PlacedCoil {
    double offset = 0;   // z of the coil's middle, m
    double current = 1;  // its current, in units of the program's: -1 runs the other way round

    friend bool operator==(const PlacedCoil&, const PlacedCoil&) = default;
};

struct CoilArrangement {
    std::vector<PlacedCoil> coils{PlacedCoil{}};  // the program's coil alone

    friend bool operator==(const CoilArrangement&, const CoilArrangement&) = default;
};

// The program's coil alone (the default arrangement), for default arguments.
const CoilArrangement& SingleCoil();

// Whether the arrangement is the program's coil alone: the traced field lines,
// the 500-sample slope and the lines of equal flux from the coil's middle
// section belong to that coil only.
bool IsProgramCoil(const CoilArrangement& a);

// How the arrangement looks mirrored about the plane z = 0: +1 the same (Hz
// and the flux function even in z, Hr odd), -1 the same with every current
// reversed (Hz and the flux function odd, Hr even), 0 neither. For +1 and -1
// |H| is even in z and the field lines of one half are the mirror images of
// the other's. Offsets are compared exactly.
int MirrorParity(const CoilArrangement& a);

// Whether the coils' currents add up to 0 at every place: then the field
// vanishes everywhere (coinciding coils with opposed currents).
bool FieldVanishes(const CoilArrangement& a);

// Two coils whose middles lie distance metres apart, at z = -distance/2 and
// z = +distance/2; opposed: the current of the coil at +distance/2 reversed.
struct CoilPair {
    double distance = 0;  // m, 0 to kMostPairDistance
    bool opposed = false;

    friend bool operator==(const CoilPair&, const CoilPair&) = default;
};

inline constexpr double kMostPairDistance = 20;

CoilArrangement PairArrangement(const CoilPair& pair);

// The pair an arrangement is, if it is one as PairArrangement makes it.
std::optional<CoilPair> PairOf(const CoilArrangement& a);

// The distance D between the pair's middles written in the text (metres, a
// decimal number with a point or a comma, any number of decimals, as
// MetresFromText reads it), or why it is not usable: one sentence (a message).
struct PairDistanceReading {
    std::optional<double> metres;
    Message refusal;
};
PairDistanceReading PairDistanceFromText(std::string_view text);
