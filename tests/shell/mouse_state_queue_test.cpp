// The queue of mouse states on its own: the order the frames see them in,
// moves, a full queue and a drop.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "mouse_state_queue.h"

namespace {

constexpr int32_t kLeft = 1;

// next() as each of count frames sees it.
std::vector<MouseState> drawFrames(MouseStateQueue& queue, int count)
{
    std::vector<MouseState> seen;
    for (int i = 0; i < count; ++i) {
        seen.push_back(queue.next());
        queue.frameDrawn();
    }
    return seen;
}

void expectState(const MouseState& state, int32_t cap, double x, double y)
{
    EXPECT_EQ(state.cap, cap);
    EXPECT_EQ(state.x, x);
    EXPECT_EQ(state.y, y);
}

TEST(MouseStateQueueTest, AMoveShiftsOnlyTheNewestStateAndAChangeAfterADrawnStateTakesNoFrame)
{
    MouseStateQueue queue;
    queue.changeButtons(kLeft, 10, 20);
    expectState(queue.next(), kLeft, 10, 20); // nothing was waiting
    queue.changeButtons(0, 11, 21);
    queue.move(30, 40);
    const std::vector<MouseState> seen = drawFrames(queue, 3);
    expectState(seen[0], kLeft, 10, 20);
    expectState(seen[1], 0, 30, 40);
    expectState(seen[2], 0, 30, 40);
    queue.changeButtons(kLeft, 5, 6);
    expectState(queue.next(), kLeft, 5, 6);
}

TEST(MouseStateQueueTest, TheSameButtonsAgainOnlyMoveTheNewestState)
{
    MouseStateQueue queue;
    queue.changeButtons(kLeft, 1, 1);
    queue.changeButtons(kLeft, 2, 2);
    queue.changeButtons(0, 3, 3);
    queue.changeButtons(0, 4, 4);
    const std::vector<MouseState> seen = drawFrames(queue, 2);
    expectState(seen[0], kLeft, 2, 2);
    expectState(seen[1], 0, 4, 4);
}

TEST(MouseStateQueueTest, AFullQueueKeepsItsFirstStatesAndEndsOnTheLatestInput)
{
    MouseStateQueue queue;
    constexpr int kChanges = 3 * MouseStateQueue::kCapacity + 1; // ends pressed
    for (int i = 0; i < kChanges; ++i)
        queue.changeButtons(i % 2 == 0 ? kLeft : 0, i, 0);
    const std::vector<MouseState> seen = drawFrames(queue, MouseStateQueue::kCapacity + 1);
    for (int i = 0; i + 1 < MouseStateQueue::kCapacity; ++i)
        expectState(seen[static_cast<std::size_t>(i)], i % 2 == 0 ? kLeft : 0, i, 0);
    expectState(seen[MouseStateQueue::kCapacity - 1], kLeft, kChanges - 1, 0);
    expectState(seen[MouseStateQueue::kCapacity], kLeft, kChanges - 1, 0);
}

struct DropCase {
    const char* what;
    bool frameSawTheButtonDown;
    int framesBeforeTheNextPress; // that see no button down
};

void PrintTo(const DropCase& c, std::ostream* out)
{
    *out << c.what;
}

class MouseStateDropTest : public ::testing::TestWithParam<DropCase> {};

TEST_P(MouseStateDropTest, ADropLeavesNoButtonDownAtTheLatestPlace)
{
    const DropCase& c = GetParam();
    MouseStateQueue queue;
    queue.changeButtons(kLeft, 1, 2);
    if (c.frameSawTheButtonDown)
        queue.frameDrawn();
    queue.changeButtons(0, 3, 4);
    queue.changeButtons(kLeft, 5, 6);
    queue.move(7, 8);
    queue.drop();
    expectState(queue.next(), 0, 7, 8);
    queue.changeButtons(kLeft, 9, 9);
    const std::vector<MouseState> seen = drawFrames(queue, 2);
    for (int i = 0; i < c.framesBeforeTheNextPress; ++i)
        EXPECT_EQ(seen[static_cast<std::size_t>(i)].cap, 0) << i;
    expectState(seen[static_cast<std::size_t>(c.framesBeforeTheNextPress)], kLeft, 9, 9);
}

// A frame that saw a button down left the display's latch set: the next
// frame must see it up before a new press can act.
INSTANTIATE_TEST_SUITE_P(Drops, MouseStateDropTest,
                         ::testing::Values(DropCase{"NothingDrawn", false, 0},
                                           DropCase{"AfterAFrameSawAPress", true, 1}),
                         [](const ::testing::TestParamInfo<DropCase>& info) { return std::string(info.param.what); });

} // namespace
