#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "params/calc_params.h"
#include "plot/calculation_run.h"

// The picture's size when the program starts, in pixels.
inline constexpr int kStartPictureWidth = 651;
inline constexpr int kStartPictureHeight = 320;

// Limits of an exported picture: it must fit in memory as an image.
inline constexpr int kMaxPictureSide = 20000;
inline constexpr long long kMaxPicturePixels = 100'000'000;

// The kind of file written, chosen by the output file's extension.
enum class OutputFormat { Png, Svg, Pdf, Csv };

// What the tool computes: one of the program's graphs, or a table of the exact field.
enum class GraphKind {
    Axis,        // the field on the axis
    Lines,       // the field lines
    ExactLines,  // a table of the exact field lines through the same seeds
    Field,       // a table of the exact field on a grid over the field lines' window
};

// What one run of the export tool computes and where it writes it.
struct RenderOptions {
    CalcParams params;  // the program's start values, with the options applied
    GraphKind graph = GraphKind::Axis;
    RunAdditions additions;  // drawn with the field lines only
    int width = kStartPictureWidth;
    int height = kStartPictureHeight;
    std::string output;
    OutputFormat format = OutputFormat::Png;
};

struct ParsedArguments {
    enum class Action { Render, ShowHelp, Refuse };
    Action action = Action::Refuse;
    RenderOptions options;  // for Render
    std::string error;      // for Refuse: one line of Russian, without a line feed
};

// Reads the tool's command line, without the program's name. Options come as
// "--name value" or "--name=value", each at most once. Nothing here checks
// whether the calculation itself accepts the values.
ParsedArguments ParseRenderArguments(const std::vector<std::string>& args);

// The text of --help.
extern const std::string_view kRenderHelp;
