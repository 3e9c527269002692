#pragma once

// A container that records what is sent up to it and a frame without a
// window, for the view and container tests; the recording view itself is in
// recording_view.h.

#include "gui/draw_context.h"
#include "gui/frame.h"
#include "gui/view.h"
#include "gui/view_container.h"

#include "geometry_printers.h"
#include "recording_view.h"

#include <gtest/gtest.h>

#include <vector>

namespace VSTGUI {
namespace test {

// A container that records the rectangles sent up to it and keeps them.
class InvalidationRecorder : public CViewContainer {
public:
    InvalidationRecorder(const CRect& size, CFrame* frame) : CViewContainer(size, frame) {}
    void invalidRect(const CRect rect) override { received.push_back(rect); }

    std::vector<CRect> received;
};

// A frame without a window, as the container tests need one: it makes draw
// contexts, holds the focus and answers the cursor position.
class WindowlessFrameTest : public testing::Test {
protected:
    WindowlessFrameTest() : frame(new CFrame(CRect(0, 0, 300, 200), nullptr, nullptr)) {}
    ~WindowlessFrameTest() override { frame->forget(); }

    CallLog log;
    CFrame* frame;
};

} // namespace test
} // namespace VSTGUI
