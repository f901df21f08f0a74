#pragma once

#include <QByteArray>

#include <ostream>
#include <string>
#include <vector>

// The export tool: runs one calculation for the command line (without the
// program's name) and writes its picture or its table of numbers. The help
// goes to out; a message, one line of Russian, to err. Returns the exit code:
// 0 the file is written, 2 bad arguments or parameters the run refuses, 1 the
// file cannot be written.
int RunRenderTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

struct RenderOptions;

// The contents of the file the options ask for: the run's picture in the
// format chosen, or its table of numbers. Empty when no memory is to be had
// for the picture. The run must be one that RunRefusal accepts.
QByteArray ExportedContents(RenderOptions o);
