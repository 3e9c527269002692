#include "vest_editor.h"

#include "callbacks.h"
#include "gui/frame.h"
#include "vest.h"
#include "vest_view.h"

using VSTGUI::CFrame;
using VSTGUI::CRect;

namespace {

void releasePlugin(void* vest)
{
    auto* plugin = static_cast<CVeST*>(vest);
    // No frame of this editor will draw what its input left behind.
    dropMouseStates(plugin);
    plugin->release();
}

} // namespace

CVeSTEditor::CVeSTEditor(CVeST* vest, int32_t width, int32_t height)
    : AEffGUIEditor(vest), vest(vest), width(width), height(height)
{
    rect.top = 0;
    rect.left = 0;
    rect.bottom = static_cast<VstInt16>(height);
    rect.right = static_cast<VstInt16>(width);
    if (vest)
        vest->setEditor(this);
}

CVeSTEditor::~CVeSTEditor()
{
    close();
}

bool CVeSTEditor::open(void* parentWindow)
{
    // A second open without a close would otherwise lose the first frame
    // with its window still in the host's.
    close();
    // Mouse input the closed editor left behind must not act in this one.
    dropMouseStates(vest);
    const CRect size(0, 0, width, height);
    auto* opened = new CFrame(size, parentWindow, this);
    auto* display = new CVeSTView(size, vest);
    opened->addView(display);
    view = display;
    CFrame::setFrameOf(frame, opened);
    return true;
}

void CVeSTEditor::close()
{
    // The editor counts as closed before the frame goes, also for the host's
    // thread while it destroys the window; a host may close from a thread
    // other than the one it opened the editor on. Entries on the window's
    // thread read the pointer under the same lock and hold the frame
    // meanwhile.
    CFrame* closing = CFrame::clearFrameOf(frame);
    if (!closing)
        return;
    view = nullptr;
    // The frame's view draws the plug-in's effect: the plug-in stays until
    // the frame is gone, wherever and whenever that is.
    if (vest && vest->hold())
        closing->forgetOnWindowThread(releasePlugin, vest);
    else
        closing->forgetOnWindowThread();
}

void CVeSTEditor::idle()
{
    // One use for the whole turn: a close meanwhile on another thread leaves
    // the frame, and the plug-in that it holds, until the turn is over.
    CFrame::OwnerUse open(frame);
    if (open && vest->callbacks.idle)
        vest->callbacks.idle(vest);
    AEffGUIEditor::idle();
}
