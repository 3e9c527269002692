// The pace of the editor's idle work: when a call sleeps, when it runs, and
// when the next run is due, also across the tick counter's wrap.
#include <gtest/gtest.h>

#include "idle_pacing.h"

namespace {

struct PaceCase {
    const char* name;
    uint32_t now;
    uint32_t due;
    bool sleepFirst;
    bool run;
    uint32_t nextDue; // checked only when the call runs
};

std::ostream& operator<<(std::ostream& out, const PaceCase& c)
{
    return out << c.name;
}

// The last run was at T = 1000, so the next is due at 1100. A call sleeps 4 ms
// when it comes before 1100, and still runs when 4 ms later it is no more
// than 50 ms early; a run makes the next due 100 ms after its own time.
constexpr uint32_t kT = 1000;
constexpr uint32_t kDue = kT + 100;
// A run just before the 32-bit counter wraps: its next run is due after it.
constexpr uint32_t kLate = 0xFFFFFF00u;
constexpr uint32_t kLateDue = kLate + 100; // 0xFFFFFF64

class IdlePacingTest : public ::testing::TestWithParam<PaceCase> {};

TEST_P(IdlePacingTest, SleepsRunsAndSchedulesAsTheTickCountSays)
{
    const PaceCase& c = GetParam();
    const IdleTurn turn = paceIdleTurn(c.now, c.due);
    EXPECT_EQ(turn.sleepFirst, c.sleepFirst);
    EXPECT_EQ(turn.run, c.run);
    // EXPECT_EQ is an if-else of its own: without braces the else is ambiguous.
    if (c.run) {
        EXPECT_EQ(turn.nextDue, c.nextDue);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IdlePacingTest,
    ::testing::Values(PaceCase{"FarTooEarlyOnlySleeps", kT + 30, kDue, true, false, 0},
                      PaceCase{"FiftyOneEarlyAfterTheSleepOnlySleeps", kT + 45, kDue, true, false, 0},
                      PaceCase{"FiftyEarlyAfterTheSleepRuns", kT + 46, kDue, true, true, kT + 150},
                      PaceCase{"SlightlyEarlySleepsThenRuns", kT + 60, kDue, true, true, kT + 164},
                      PaceCase{"OneEarlySleepsThenRuns", kT + 99, kDue, true, true, kT + 203},
                      PaceCase{"OnTimeRunsAtOnce", kT + 100, kDue, false, true, kT + 200},
                      PaceCase{"LateRunsAtOnce", kT + 5000, kDue, false, true, kT + 5100},
                      // The counter wrapped since the last run: the run is
                      // overdue, not 49 days away.
                      PaceCase{"OverdueAcrossTheWrapRunsAtOnce", 0x10u, kLateDue, false, true, 0x10u + 100},
                      // The due time lies past the wrap and the call before it.
                      PaceCase{"EarlyBeforeAWrappedDueOnlySleeps", kLate + 30, kLateDue, true, false, 0},
                      PaceCase{"AfterAWrappedDueTimeRunsAtOnce", 0x20u, 0x10u, false, true, 0x20u + 100}),
    [](const ::testing::TestParamInfo<PaceCase>& info) { return std::string(info.param.name); });

} // namespace
