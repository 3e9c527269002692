// The editor services of services.h: the plug-in's one editor, its size and
// the repaint requests of the effect's idle.
#include "services.h"
#include "vest.h"
#include "vest_editor.h"
#include "vest_view.h"

namespace {

CVeSTEditor* editorOf(CVeST* vest)
{
    return vest ? dynamic_cast<CVeSTEditor*>(vest->getEditor()) : nullptr;
}

} // namespace

int32_t vestCreateEditor(CVeST* vest, int32_t width, int32_t height)
{
    if (!vest || vest->getEditor())
        return 0;
    // The editor makes itself the plug-in's editor, which owns it from then on.
    new CVeSTEditor(vest, width, height);
    return 1;
}

int32_t vestGetEditorSize(CVeST* vest, int32_t* width, int32_t* height)
{
    const CVeSTEditor* editor = editorOf(vest);
    if (!editor)
        return 0;
    *width = editor->width;
    *height = editor->height;
    return 1;
}

int32_t vestRedraw(CVeST* vest)
{
    CVeSTEditor* editor = editorOf(vest);
    CVeSTView* view = editor ? editor->view.load() : nullptr;
    if (!view)
        return 0;
    view->invalidRect(view->rect);
    return 1;
}
