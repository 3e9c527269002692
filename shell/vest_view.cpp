#include "vest_view.h"

#include "vest.h"
#include "vst_records.h"

using VSTGUI::CDrawContext;
using VSTGUI::CMouseEventResult;
using VSTGUI::CPoint;
using VSTGUI::CRect;
using VSTGUI::kMouseEventHandled;

namespace {

constexpr int32_t kKeyTaken = 1;

using MouseEntry = void (*)(CVeST*, double, double, int32_t);
using KeyEntry = void (*)(CVeST*, int32_t, uint8_t, uint8_t);

CMouseEventResult passMouse(CVeST* vest, MouseEntry entry, const CPoint& where, int32_t buttons)
{
    if (entry)
        entry(vest, where.h, where.v, buttons);
    return kMouseEventHandled;
}

int32_t passKey(CVeST* vest, KeyEntry entry, const VstKeyCode& keyCode)
{
    if (entry)
        entry(vest, keyCode.character, keyCode.modifier, keyCode.virt);
    return kKeyTaken;
}

} // namespace

CVeSTView::CVeSTView(const CRect& size, CVeST* vest) : CView(size), vest(vest), rect(size) {}

void CVeSTView::draw(CDrawContext* context)
{
    if (!vest->callbacks.draw)
        return;
    vest->drawContext = context;
    vest->callbacks.draw(vest, rect.right - rect.left, rect.bottom - rect.top);
    vest->drawContext = nullptr;
}

CMouseEventResult CVeSTView::onMouseDown(CPoint& where, const int32_t& buttons)
{
    return passMouse(vest, vest->callbacks.onMouseDown, where, buttons);
}

CMouseEventResult CVeSTView::onMouseUp(CPoint& where, const int32_t& buttons)
{
    return passMouse(vest, vest->callbacks.onMouseUp, where, buttons);
}

CMouseEventResult CVeSTView::onMouseMoved(CPoint& where, const int32_t& buttons)
{
    return passMouse(vest, vest->callbacks.onMouseMoved, where, buttons);
}

int32_t CVeSTView::onKeyDown(VstKeyCode& keyCode)
{
    return passKey(vest, vest->callbacks.onKeyDown, keyCode);
}

int32_t CVeSTView::onKeyUp(VstKeyCode& keyCode)
{
    return passKey(vest, vest->callbacks.onKeyUp, keyCode);
}
