#include "recording_view.h"

#include "gui/drag_container.h"
#include "gui/draw_context.h"

#include <gtest/gtest.h>

#include <sstream>
#include <utility>

namespace VSTGUI {
namespace test {

void CallLog::add(const std::string& name, const std::string& call, const CPoint* where)
{
    std::ostringstream line;
    line << name << ' ' << call;
    if (where)
        line << ' ' << where->h << ',' << where->v;
    calls.push_back(line.str());
}

std::vector<std::string> CallLog::take()
{
    std::vector<std::string> taken;
    taken.swap(calls);
    return taken;
}

RecordingView::RecordingView(const CRect& size, CColor fill) : CView(size), fill(fill) {}

RecordingView::RecordingView(const CRect& size, std::string name, CallLog& log)
    : CView(size), fill(), name(std::move(name)), log(&log)
{
}

RecordingView::~RecordingView()
{
    if (destroyed)
        *destroyed = true;
}

void RecordingView::record(const std::string& what, const CPoint* where, int32_t buttons, float distance)
{
    calls.push_back(ViewCall{what, where ? *where : CPoint(), buttons, distance});
    if (log)
        log->add(name, what, where);
}

CMouseEventResult RecordingView::answerMouse(const std::string& what, const CPoint& where, int32_t buttons,
                                             CMouseEventResult answer)
{
    record(what, &where, buttons);
    return answer;
}

void RecordingView::recordDrag(const std::string& what, CDragContainer* drag, const CPoint& where)
{
    record(what, &where);
    dragItemCounts.push_back(drag ? drag->getCount() : -1);
}

void RecordingView::draw(CDrawContext* context)
{
    ++draws;
    if (log)
        log->add(name, "draw");
    drawnInto = context;
    if (context && fill.alpha) {
        context->setFillColor(fill);
        context->fillRect(size);
    }
    CView::draw(context);
}

CMouseEventResult RecordingView::onMouseDown(CPoint& where, const int32_t& buttons)
{
    return answerMouse("down", where, buttons, downAnswer);
}

CMouseEventResult RecordingView::onMouseUp(CPoint& where, const int32_t& buttons)
{
    return answerMouse("up", where, buttons, upAnswer);
}

CMouseEventResult RecordingView::onMouseMoved(CPoint& where, const int32_t& buttons)
{
    return answerMouse("moved", where, buttons, movedAnswer);
}

CMouseEventResult RecordingView::onMouseEntered(CPoint& where, const int32_t& buttons)
{
    return answerMouse("entered", where, buttons, kMouseEventHandled);
}

CMouseEventResult RecordingView::onMouseExited(CPoint& where, const int32_t& buttons)
{
    return answerMouse("exited", where, buttons, kMouseEventHandled);
}

void RecordingView::mouse(CDrawContext* context, CPoint& where, int32_t buttons)
{
    record("mouse", &where, buttons);
    mouseContext = context;
    mouseContextFrame = context ? context->getFrame() : nullptr;
}

bool RecordingView::onWheel(const CPoint& where, const float& distance, const int32_t& buttons)
{
    record("wheel", &where, buttons, distance);
    return true;
}

int32_t RecordingView::onKeyDown(VstKeyCode&)
{
    record("keyDown", nullptr);
    return keyAnswer;
}

int32_t RecordingView::onKeyUp(VstKeyCode&)
{
    record("keyUp", nullptr);
    return keyAnswer;
}

bool RecordingView::onDrop(CDragContainer* drag, const CPoint& where)
{
    recordDrag("drop", drag, where);
    return true;
}

void RecordingView::onDragEnter(CDragContainer* drag, const CPoint& where)
{
    recordDrag("dragEnter", drag, where);
}

void RecordingView::onDragLeave(CDragContainer* drag, const CPoint& where)
{
    recordDrag("dragLeave", drag, where);
}

void RecordingView::onDragMove(CDragContainer* drag, const CPoint& where)
{
    recordDrag("dragMove", drag, where);
}

void RecordingView::takeFocus()
{
    record("takeFocus", nullptr);
}

void RecordingView::looseFocus()
{
    record("looseFocus", nullptr);
}

void RecordingView::parentSizeChanged()
{
    record("parentSizeChanged", nullptr);
}

std::vector<std::string> RecordingView::names() const
{
    std::vector<std::string> result;
    for (const ViewCall& call : calls)
        result.push_back(call.what);
    return result;
}

ViewCall RecordingView::last(const std::string& what) const
{
    for (auto call = calls.rbegin(); call != calls.rend(); ++call) {
        if (call->what == what)
            return *call;
    }
    ADD_FAILURE() << "no call " << what;
    return ViewCall{};
}

int RecordingView::count(const std::string& what) const
{
    int n = 0;
    for (const ViewCall& call : calls)
        n += call.what == what ? 1 : 0;
    return n;
}

} // namespace test
} // namespace VSTGUI
