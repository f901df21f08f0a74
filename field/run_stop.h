#pragma once

#include <stop_token>

// A calculation may be asked to stop before it is done (a newer one has been
// asked for): the long loops look at the run's stop token at their next
// opportunity (between blocks of steps of a field line, between lines, between
// rows of the strength map) and give up by throwing RunStopped, leaving
// nothing half made behind but the output they had handed on. A token that
// no stop source stands behind (the default) never stops anything.
struct RunStopped {};

inline void StopIfRequested(const std::stop_token& stop)
{
    if (stop.stop_requested())
        throw RunStopped{};
}
