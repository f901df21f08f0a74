#pragma once

class QTextDocument;

// Image names under which AddHelpFigures registers the two graphs; a help
// page shows them with <img src="figure:axis"> and <img src="figure:lines">.
inline constexpr const char* kAxisFigure = "figure:axis";
inline constexpr const char* kLinesFigure = "figure:lines";

// Draws both graphs for the start values, on a picture of the window's
// start-up size, and registers them as images of the document.
void AddHelpFigures(QTextDocument& document);
