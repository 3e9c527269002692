#include "aeff_gui_editor.h"

#include <windows.h>

#include <algorithm>

#include "audio_effect_x.h"
#include "gui/draw_context.h"
#include "gui/frame.h"
#include "idle_pacing.h"

using VSTGUI::CDrawContext;
using VSTGUI::CFrame;
using VSTGUI::CPoint;
using VSTGUI::CRect;

int32_t AEffGUIEditor::knobMode = 0;

AEffGUIEditor::AEffGUIEditor(AudioEffect* effect) : AEffEditor(effect), lLastTicks(getTicks())
{
    if (effect)
        effect->setEditor(this);
}

AEffGUIEditor::~AEffGUIEditor() = default;

bool AEffGUIEditor::getRect(ERect** reported)
{
    *reported = &rect;
    return true;
}

bool AEffGUIEditor::open(void* window)
{
    AEffEditor::open(window);
    return false;
}

void AEffGUIEditor::idle()
{
    CFrame::OwnerUse open(frame);
    if (!inIdleStuff && open)
        open->idle();
}

bool AEffGUIEditor::onKeyDown(VstKeyCode& keyCode)
{
    CFrame::OwnerUse open(frame);
    return open && open->onKeyDown(keyCode) > 0;
}

bool AEffGUIEditor::onKeyUp(VstKeyCode& keyCode)
{
    CFrame::OwnerUse open(frame);
    return open && open->onKeyUp(keyCode) > 0;
}

bool AEffGUIEditor::onWheel(float distance)
{
    CFrame::OwnerUse open(frame);
    if (!open)
        return false;
    CDrawContext* context = open->createDrawContext();
    CPoint where(0, 0);
    context->getMouseLocation(where);
    const int32_t buttons = context->getMouseButtons();
    const bool taken = open->onWheel(where, distance, buttons);
    context->forget();
    return taken;
}

bool AEffGUIEditor::setKnobMode(VstInt32 mode)
{
    knobMode = mode;
    return true;
}

void AEffGUIEditor::setParameter(VstInt32 /*index*/, float /*value*/) {}

void AEffGUIEditor::draw(ERect* area)
{
    CFrame::OwnerUse open(frame);
    if (!open)
        return;
    CRect update;
    if (area)
        update = CRect(std::min(area->left, area->right), std::min(area->top, area->bottom),
                       std::max(area->left, area->right), std::max(area->top, area->bottom));
    else
        update = open->getViewSize();
    CDrawContext* context = open->createDrawContext();
    open->drawRect(context, update);
    context->forget();
}

void AEffGUIEditor::doIdleStuff()
{
    // The host's idle below may close the editor: the frame, and the
    // plug-in with this editor, stay until the turn is over.
    CFrame::OwnerUse open(frame);
    const IdleTurn turn = paceIdleTurn(getTicks(), lLastTicks);
    if (turn.sleepFirst)
        wait(kIdleSleepMs);
    if (!turn.run)
        return;
    idle();
    // One paint that is waiting, so the display keeps up while the toolkit
    // holds the thread.
    MSG message;
    if (PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
        DispatchMessageW(&message);
    inIdleStuff = true;
    lLastTicks = turn.nextDue;
    if (effect)
        effect->masterIdle();
    inIdleStuff = false;
}

int32_t AEffGUIEditor::getKnobMode()
{
    return knobMode;
}

void AEffGUIEditor::beginEdit(int32_t index)
{
    if (auto* extended = dynamic_cast<AudioEffectX*>(effect))
        extended->beginEdit(index);
}

void AEffGUIEditor::endEdit(int32_t index)
{
    if (auto* extended = dynamic_cast<AudioEffectX*>(effect))
        extended->endEdit(index);
}

void AEffGUIEditor::wait(uint32_t milliseconds)
{
    Sleep(milliseconds);
}

uint32_t AEffGUIEditor::getTicks()
{
    return GetTickCount();
}
