#include "plot/picture_notes.h"

#include "field/uniform_region.h"

std::vector<std::string> PictureNotes(const CalcParams& p, const RunAdditions& additions)
{
    if (FieldVanishes(additions.coils))
        return {std::string(kVanishingFieldNote)};
    if (additions.uniformPercent && !(CentreStrength(p, additions.coils) > 0))
        return {std::string(kNoUniformRegionNote)};
    return {};
}

void DrawPictureNote(DrawingSurface&, std::string_view, int)
{
}
