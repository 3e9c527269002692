#include "idle_pacing.h"

namespace {

// True when tick count a comes before b, also across the counter's wrap.
bool isBefore(uint32_t a, uint32_t b)
{
    return static_cast<int32_t>(a - b) < 0;
}

} // namespace

IdleTurn paceIdleTurn(uint32_t now, uint32_t due)
{
    IdleTurn turn{false, true, 0};
    if (isBefore(now, due)) {
        turn.sleepFirst = true;
        now += kIdleSleepMs;
        if (isBefore(now, due - kIdleEarlyMs)) {
            turn.run = false;
            return turn;
        }
    }
    turn.nextDue = now + kIdleIntervalMs;
    return turn;
}
