// The plain program the export tool's tables are measured against: one run's
// field lines computed as a straightforward transcription would, one line
// after the other on one thread with the sample-by-sample slope, and nothing
// written. The run is case c, the short coil on a full-screen picture.
#include <cstdio>

#include "bench/run_cases.h"
#include "surface/blank_surface.h"

int main()
{
    BlankSurface surface(kShortCoil.width, kShortCoil.height);
    RunPlain(kShortCoil, surface);
    return 0;
}
