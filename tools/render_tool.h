#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "texts/message.h"

struct RenderOptions;
class TableWriter;

// Paints the picture the options ask for into contents (the whole file);
// false when no memory is to be had for it. Anything else that stops it
// comes back as one sentence.
using PicturePainter = std::function<std::optional<Message>(const RenderOptions& o, std::string& contents)>;

// The export tool: runs one calculation for the command line (without the
// program's name) and writes its picture, its table of numbers or the lesson
// file of its options. The help goes to out; a message, one line, to err:
// in the language --lang names, else in `otherwise` (the locale's). Returns the exit code: 0 the file is written, 2 bad arguments, a
// lesson file that cannot be read or parameters the run refuses, 1 the file
// cannot be written. Tables are made here; pictures by paint.
int RunRenderTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  const PicturePainter& paint, const Language& otherwise = {});
