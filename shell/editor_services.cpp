// The editor services of services.h that the runtime and the effect call.
// This plug-in makes no editor yet (callbackInit creates none, so the record
// carries no effFlagsHasEditor): there is no size to report and no view to
// invalidate, and both answer as for a plug-in without an editor.
#include "services.h"

int32_t vestGetEditorSize(CVeST* /*vest*/, int32_t* /*width*/, int32_t* /*height*/)
{
    return 0;
}

int32_t vestRedraw(CVeST* /*vest*/)
{
    return 0;
}
