#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "tools/picture_module_loader.h"
#include "tools/render_tool.h"

// zoreks-render: one calculation without the window, written to a file.
// It needs no display: pictures are painted into memory.
int main(int argc, char** argv)
{
    // Over a file-size limit a write then fails like any other write error,
    // instead of the signal ending the tool halfway through the file.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return RunRenderTool(args, std::cout, std::cerr, ModulePicturePainter());
}
