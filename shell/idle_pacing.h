#pragma once

// The pace of the editor's idle work when the toolkit asks for it (while it
// waits or follows the mouse): at most one run per interval, with a short
// sleep when a call comes early, so that a polling loop does not spin. The
// arithmetic keeps no state: the caller holds the due tick. [any thread]
#include <cstdint>

// A call before the run is due sleeps this long first.
constexpr uint32_t kIdleSleepMs = 4;
// After that sleep a run may still come this much before it is due.
constexpr uint32_t kIdleEarlyMs = 50;
// A run makes the next one due this much later.
constexpr uint32_t kIdleIntervalMs = 100;

// What one call at tick count now does, given the tick count at which the
// next run is due.
struct IdleTurn {
    bool sleepFirst; // sleep kIdleSleepMs before anything else
    bool run; // run the idle work
    uint32_t nextDue; // when it ran: the tick count the next run is due
};

// Tick counts are compared by their difference, so the pace holds across the
// counter's wrap after about 49.7 days.
IdleTurn paceIdleTurn(uint32_t now, uint32_t due);
