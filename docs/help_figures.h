#pragma once

class QTextDocument;
class Language;

// Image names under which AddHelpFigures registers the two graphs; a help
// page shows them with <img src="figure:axis"> and <img src="figure:lines">.
inline constexpr const char* kAxisFigure = "figure:axis";
inline constexpr const char* kLinesFigure = "figure:lines";
// The traced lines beside the exact ones, closer to the coil: <img src="figure:exact">.
inline constexpr const char* kExactFigure = "figure:exact";
// The half-size of the region in that figure, m.
inline constexpr double kExactFigureHalfRange = 0.8;

// Arrowheads and lines of equal flux over the strength map, its scale in mT
// for the coil's turns and current below: <img src="figure:equal-flux">.
inline constexpr const char* kEqualFluxFigure = "figure:equal-flux";
inline constexpr long kFigureTurns = 800;
inline constexpr double kFigureAmperes = 1.5;

// A class's measurements on the axis of a small coil, fitted, over the curve:
// <img src="figure:measured">.
inline constexpr const char* kMeasuredFigure = "figure:measured";
// Two short coils (R 0.2 m, L 0.1 m) in a region of half-size 0.6 m: the
// Helmholtz pair over the strength map with its 1 % region of uniform field
// (<img src="figure:pair">), and an opposed pair 0.35 m apart with 12 lines
// (<img src="figure:opposed-pair">).
inline constexpr const char* kPairFigure = "figure:pair";
inline constexpr const char* kOpposedPairFigure = "figure:opposed-pair";

// Draws the figures on a picture of the window's start-up size, for the start
// values, their labels in the language, and registers them as images of the document.
void AddHelpFigures(QTextDocument& document, const Language& language);
