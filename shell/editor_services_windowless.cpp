// The editor services of services.h where there is no window system (the
// native test build): the plug-in makes no editor, so there is no size to
// report and no view to repaint.
#include "services.h"

int32_t vestCreateEditor(CVeST* /*vest*/, int32_t /*width*/, int32_t /*height*/)
{
    return 0;
}

int32_t vestGetEditorSize(CVeST* /*vest*/, int32_t* /*width*/, int32_t* /*height*/)
{
    return 0;
}

int32_t vestRedraw(CVeST* /*vest*/)
{
    return 0;
}
