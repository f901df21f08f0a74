#include "params/graph_choice.h"

#include "params/calc_params.h"

GraphChoice GraphChoiceOfEntry(std::string_view entryText)
{
    if (entryText == kAxisGraphEntry)
        return {kAxisGraph, false};
    if (entryText == kFieldLinesGraphEntry)
        return {kFieldLinesGraph, true};
    return {kAxisGraph, std::nullopt};
}
