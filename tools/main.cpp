#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "tools/picture_module_loader.h"
#include "tools/render_tool.h"

namespace {

// The locale that messages follow, as the C library chooses it: LC_ALL, else
// LC_MESSAGES, else LANG; empty when none is set.
std::string_view MessagesLocale()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char* value = std::getenv(name); value != nullptr && *value != '\0')
            return value;
    return {};
}

}  // namespace

// zoreks-render: one calculation without the window, written to a file.
// It needs no display: pictures are painted into memory. It speaks the
// language of the locale unless --lang names another.
int main(int argc, char** argv)
{
    // Over a file-size limit a write then fails like any other write error,
    // instead of the signal ending the tool halfway through the file.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return RunRenderTool(args, std::cout, std::cerr, ModulePicturePainter(), Language::ForLocale(MessagesLocale()));
}
