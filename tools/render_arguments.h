#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "export/render_options.h"

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
