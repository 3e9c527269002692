#include "base_object.h"

namespace VSTGUI {

std::atomic<int32_t> CBaseObject::liveObjects{0};

const char kMsgCheckIfViewContainer[] = "kMsgCheckIfViewContainer";
const char kMsgNewFocusView[] = "kMsgNewFocusView";
const char kMsgOldFocusView[] = "kMsgOldFocusView";

void CBaseObject::forget()
{
    if (--nbReference == 0)
        delete this;
}

void CBaseObject::remember()
{
    ++nbReference;
}

CMessageResult CBaseObject::notify(CBaseObject*, const char*)
{
    return kMessageUnknown;
}

} // namespace VSTGUI
