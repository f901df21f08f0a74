#pragma once

#include <ostream>
#include <string>
#include <vector>

// The export tool: runs one calculation for the command line (without the
// program's name) and writes its picture or its table of numbers. The help
// goes to out; a message, one line of Russian, to err. Returns the exit code:
// 0 the file is written, 2 bad arguments or parameters the run refuses, 1 the
// file cannot be written.
int RunRenderTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
