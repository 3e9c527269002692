#include "mouse_state_queue.h"

void MouseStateQueue::changeButtons(int32_t cap, double x, double y)
{
    MouseState& last = newest();
    const MouseState changed{cap, x, y};
    if (cap == last.cap) {
        // No change a frame must see: only where it happened.
        move(x, y);
    } else if ((count == 1 && nextDrawn) || count == kCapacity) {
        last = changed;
        nextDrawn = false;
    } else {
        states[(first + count) % kCapacity] = changed;
        ++count;
    }
}

void MouseStateQueue::move(double x, double y)
{
    MouseState& last = newest();
    last.x = x;
    last.y = y;
}

void MouseStateQueue::frameDrawn()
{
    frameSawAButton = next().cap != 0;
    if (count > 1) {
        first = (first + 1) % kCapacity;
        --count;
    } else {
        nextDrawn = true;
    }
}

void MouseStateQueue::drop()
{
    const MouseState& last = newest();
    states[0] = MouseState{0, last.x, last.y};
    first = 0;
    count = 1;
    nextDrawn = !frameSawAButton;
}
