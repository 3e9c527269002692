#pragma once

// The mouse states the editor's display is still to see, in the order they
// came. The display reads the mouse once per frame, so a press and its
// release between two frames must reach it one frame after the other, or
// its buttons miss the click. A button change waits behind the states no
// frame has drawn yet; a move only shifts the newest state. The capacity is
// fixed: the display never falls more than kCapacity frames behind.
// [GUI thread]
#include <cstdint>

struct MouseState {
    int32_t cap = 0; // the runtime's kMouseCap... bits, 0 with no button down
    double x = 0.0;
    double y = 0.0;
};

class MouseStateQueue {
public:
    // Three clicks between two frames, each seen pressed and released.
    static constexpr int kCapacity = 6;

    // What the next frame sees.
    const MouseState& next() const { return states[first]; }

    // A press or a release at a point: replaces the next state once a frame
    // has drawn it, else waits behind the others. When all places are taken
    // the newest state takes the change, so the last clicks of a flood run
    // together and the newest state is always the latest input.
    void changeButtons(int32_t cap, double x, double y);
    // Where the pointer is now, for the newest state only.
    void move(double x, double y);
    // A frame has drawn next(); the state behind it, if any, comes next.
    void frameDrawn();
    // Forgets every state no frame has drawn and leaves no button down, at
    // the latest position. When the last frame saw a button down, the next
    // one must still see it up, so that the display's latch lets go.
    void drop();

private:
    MouseState& newest() { return states[(first + count - 1) % kCapacity]; }

    MouseState states[kCapacity];
    int first = 0;
    int count = 1;
    // Only while next() is the one state held.
    bool nextDrawn = true;
    bool frameSawAButton = false;
};
