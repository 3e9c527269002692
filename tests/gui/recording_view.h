#pragma once

// A view that records what the toolkit asks of it and answers as the test
// tells it, for the dispatch, ownership, drawing and window tests alike.

#include "gui/view.h"

#include "geometry_printers.h"

#include <string>
#include <vector>

namespace VSTGUI {

class CFrame;

namespace test {

// One call a view received, with the point, buttons and wheel distance it
// came with (zero where the call has none).
struct ViewCall {
    std::string what;
    CPoint where;
    int32_t buttons = 0;
    float distance = 0;
};

// The calls of several views in the order they happened, as "name call h,v"
// lines (the point only for calls that carry one).
struct CallLog {
    std::vector<std::string> calls;

    void add(const std::string& name, const std::string& call, const CPoint* where = nullptr);
    // The calls made since the last take, which are then forgotten.
    std::vector<std::string> take();
};

using Calls = std::vector<std::string>;

// Records every mouse, wheel, key, drag, focus and size call in `calls`, and
// also in a shared log when it has one. Drawing is counted (and logged) but
// not listed in `calls`: a window paints whenever the system asks, which
// must not interleave with the events a window test reads back.
class RecordingView : public CView {
public:
    // Fills its area with the colour while drawing, unless it is transparent.
    explicit RecordingView(const CRect& size, CColor fill = CColor{});
    // Writes each call under its name into a log shared with other views.
    RecordingView(const CRect& size, std::string name, CallLog& log);
    ~RecordingView() override;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const int32_t& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const int32_t& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const int32_t& buttons) override;
    CMouseEventResult onMouseEntered(CPoint& where, const int32_t& buttons) override;
    CMouseEventResult onMouseExited(CPoint& where, const int32_t& buttons) override;
    void mouse(CDrawContext* context, CPoint& where, int32_t buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const int32_t& buttons) override;
    int32_t onKeyDown(VstKeyCode& keyCode) override;
    int32_t onKeyUp(VstKeyCode& keyCode) override;
    bool onDrop(CDragContainer* drag, const CPoint& where) override;
    void onDragEnter(CDragContainer* drag, const CPoint& where) override;
    void onDragLeave(CDragContainer* drag, const CPoint& where) override;
    void onDragMove(CDragContainer* drag, const CPoint& where) override;
    void takeFocus() override;
    void looseFocus() override;
    void parentSizeChanged() override;

    // The names of the calls received, in order.
    std::vector<std::string> names() const;
    // The last call of that name; fails the test when there is none.
    ViewCall last(const std::string& what) const;
    int count(const std::string& what) const;

    CMouseEventResult downAnswer = kMouseEventHandled;
    CMouseEventResult upAnswer = kMouseEventHandled;
    CMouseEventResult movedAnswer = kMouseEventHandled;
    int32_t keyAnswer = kKeyNotHandled;
    CColor fill;
    // Set to true when the view is destroyed.
    bool* destroyed = nullptr;

    std::vector<ViewCall> calls;
    // Items of the drag containers the view was handed, at each drag call.
    std::vector<int32_t> dragItemCounts;
    int draws = 0;
    CDrawContext* drawnInto = nullptr;
    // The context of the last polling call, and the frame it belonged to
    // then (the context itself may be gone by the time the test looks).
    CDrawContext* mouseContext = nullptr;
    CFrame* mouseContextFrame = nullptr;

private:
    void record(const std::string& what, const CPoint* where, int32_t buttons = 0, float distance = 0);
    CMouseEventResult answerMouse(const std::string& what, const CPoint& where, int32_t buttons,
                                  CMouseEventResult answer);
    void recordDrag(const std::string& what, CDragContainer* drag, const CPoint& where);

    std::string name;
    CallLog* log = nullptr;
};

} // namespace test
} // namespace VSTGUI
