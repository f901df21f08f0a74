#pragma once

#include "tools/render_tool.h"

// Paints pictures with the picture module installed with this program (found
// relative to the running program's own file), loading it at the first
// picture. A module that cannot be loaded is reported as one sentence (a message).
PicturePainter ModulePicturePainter();
