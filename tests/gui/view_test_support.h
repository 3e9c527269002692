#pragma once

// Small views and containers that record what the toolkit asks of them, so
// that dispatch and ownership tests can read the calls back in order.

#include "gui/draw_context.h"
#include "gui/frame.h"
#include "gui/view.h"
#include "gui/view_container.h"

#include "geometry_printers.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace VSTGUI {
namespace test {

// Calls in the order they happened, as "name call h,v" lines.
struct CallLog {
    std::vector<std::string> calls;

    void add(const std::string& name, const char* call, const CPoint* where = nullptr)
    {
        std::ostringstream line;
        line << name << ' ' << call;
        if (where)
            line << ' ' << where->h << ',' << where->v;
        calls.push_back(line.str());
    }
    // The calls made since the last take, which are then forgotten.
    std::vector<std::string> take()
    {
        std::vector<std::string> taken;
        taken.swap(calls);
        return taken;
    }
};

using Calls = std::vector<std::string>;

// A view that records each call it receives and answers as it is told.
class RecordingView : public CView {
public:
    RecordingView(const CRect& size, std::string name, CallLog& log) : CView(size), name(std::move(name)), log(log) {}
    ~RecordingView() override
    {
        if (destroyed)
            *destroyed = true;
    }

    void draw(CDrawContext* context) override
    {
        log.add(name, "draw");
        drawnInto = context;
        if (context && fill.alpha) {
            context->setFillColor(fill);
            context->drawRect(size, kDrawFilled);
        }
        CView::draw(context);
    }
    CMouseEventResult onMouseDown(CPoint& where, const int32_t& buttons) override
    {
        return answerMouse("down", where, buttons, downAnswer);
    }
    CMouseEventResult onMouseUp(CPoint& where, const int32_t& buttons) override
    {
        return answerMouse("up", where, buttons, upAnswer);
    }
    CMouseEventResult onMouseMoved(CPoint& where, const int32_t& buttons) override
    {
        return answerMouse("moved", where, buttons, movedAnswer);
    }
    void mouse(CDrawContext* context, CPoint& where, int32_t buttons) override
    {
        log.add(name, "mouse", &where);
        mouseContext = context;
        mouseContextFrame = context ? context->getFrame() : nullptr;
        lastButtons = buttons;
    }
    bool onWheel(const CPoint& where, const float& distance, const int32_t& buttons) override
    {
        log.add(name, "wheel", &where);
        lastDistance = distance;
        lastButtons = buttons;
        return true;
    }
    int32_t onKeyDown(VstKeyCode&) override
    {
        log.add(name, "keyDown");
        return keyAnswer;
    }
    int32_t onKeyUp(VstKeyCode&) override
    {
        log.add(name, "keyUp");
        return keyAnswer;
    }
    bool onDrop(CDragContainer*, const CPoint& where) override
    {
        log.add(name, "drop", &where);
        return true;
    }
    void onDragEnter(CDragContainer*, const CPoint& where) override { log.add(name, "dragEnter", &where); }
    void onDragLeave(CDragContainer*, const CPoint& where) override { log.add(name, "dragLeave", &where); }
    void onDragMove(CDragContainer*, const CPoint& where) override { log.add(name, "dragMove", &where); }
    void takeFocus() override { log.add(name, "takeFocus"); }
    void looseFocus() override { log.add(name, "looseFocus"); }
    void parentSizeChanged() override { log.add(name, "parentSizeChanged"); }

    CMouseEventResult downAnswer = kMouseEventHandled;
    CMouseEventResult upAnswer = kMouseEventHandled;
    CMouseEventResult movedAnswer = kMouseEventHandled;
    int32_t keyAnswer = kKeyNotHandled;
    CColor fill{}; // painted over the view's size when not transparent
    // Set to true when the view is destroyed.
    bool* destroyed = nullptr;

    CDrawContext* drawnInto = nullptr;
    CDrawContext* mouseContext = nullptr;
    CFrame* mouseContextFrame = nullptr;
    int32_t lastButtons = 0;
    float lastDistance = 0;

private:
    CMouseEventResult answerMouse(const char* call, const CPoint& where, int32_t buttons, CMouseEventResult answer)
    {
        log.add(name, call, &where);
        lastButtons = buttons;
        return answer;
    }

    std::string name;
    CallLog& log;
};

// A container that records the rectangles sent up to it and keeps them.
class InvalidationRecorder : public CViewContainer {
public:
    InvalidationRecorder(const CRect& size, CFrame* frame) : CViewContainer(size, frame) {}
    void invalidRect(const CRect rect) override { received.push_back(rect); }

    std::vector<CRect> received;
};

// A frame without a window, as the container tests need one: it makes draw
// contexts, holds the focus and answers the cursor position.
class FrameTest : public testing::Test {
protected:
    FrameTest() : frame(new CFrame(CRect(0, 0, 300, 200), nullptr, nullptr)) {}
    ~FrameTest() override { frame->forget(); }

    CallLog log;
    CFrame* frame;
};

} // namespace test
} // namespace VSTGUI
