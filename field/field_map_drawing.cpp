#include "field/field_map_drawing.h"

#include "field/field_strength_map.h"

void DrawFieldStrengthMap(const CalcParams& p, DrawingSurface& surface)
{
    surface.drawImage(FieldStrengthMap(p, surface.width(), surface.height()).pixels);
}
