#pragma once

// The editor's single view. While the effect's graphics section runs, the
// plug-in object borrows this view's draw context; and hands mouse and key events
// to the plug-in's callback table. It draws nothing of its own. [GUI thread]
#include "gui/view.h"

class CVeST;

class CVeSTView : public VSTGUI::CView {
public:
    CVeSTView(const VSTGUI::CRect& size, CVeST* vest);

    // Runs the table's draw entry with the view's width and height while the
    // plug-in holds the context; nothing without that entry.
    void draw(VSTGUI::CDrawContext* context) override;
    // Each passes the point and the toolkit's button bits to the table's
    // entry (when there is one) and answers handled.
    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const int32_t& buttons) override;
    VSTGUI::CMouseEventResult onMouseUp(VSTGUI::CPoint& where, const int32_t& buttons) override;
    VSTGUI::CMouseEventResult onMouseMoved(VSTGUI::CPoint& where, const int32_t& buttons) override;
    // The table's key entries get the modifier before the virtual key; the
    // key counts as taken (1) either way.
    int32_t onKeyDown(VstKeyCode& keyCode) override;
    int32_t onKeyUp(VstKeyCode& keyCode) override;

    CVeST* vest; // not owned
    // The rectangle the view was made with.
    VSTGUI::CRect rect;
};
