// The drawing and bitmap services as a plug-in answers them while no editor
// view paints and no image can be decoded: every one does nothing and gives
// its failure value. The native tests link it in place of the Windows
// drawing services.
#include "services.h"

int32_t vestSetDrawMode(CVeST*, int32_t)
{
    return 0;
}
int32_t vestSetFontColor(CVeST*, int32_t, int32_t, int32_t, int32_t)
{
    return 0;
}
int32_t vestSetFillColor(CVeST*, int32_t, int32_t, int32_t, int32_t)
{
    return 0;
}
int32_t vestSetFrameColor(CVeST*, int32_t, int32_t, int32_t, int32_t)
{
    return 0;
}
double vestGetStringWidth(CVeST*, const char*)
{
    return 0.0;
}
int32_t vestGetFontSize(CVeST*)
{
    return 0;
}
int32_t vestSetFont(CVeST*, const char*, int32_t, int32_t)
{
    return 0;
}
int32_t vestMoveTo(CVeST*, double, double)
{
    return 0;
}
int32_t vestLineTo(CVeST*, double, double)
{
    return 0;
}
int32_t vestDrawRect(CVeST*, double, double, double, double, int32_t)
{
    return 0;
}
int32_t vestDrawEllipse(CVeST*, double, double, double, double, int32_t)
{
    return 0;
}
int32_t vestDrawArc(CVeST*, double, double, double, double, double, double, int32_t)
{
    return 0;
}
int32_t vestDrawString(CVeST*, const char*, double, double, double, double, bool, int32_t)
{
    return 0;
}
int32_t vestDrawStringAt(CVeST*, const char*, double, double, bool)
{
    return 0;
}
int32_t vestDrawStringInRect(CVeST*, const char*, double, double, double, double, int32_t, bool)
{
    return 0;
}
int32_t vestDrawPoint(CVeST*, double, double, int32_t, int32_t, int32_t, int32_t)
{
    return 0;
}
int32_t vestGetPointColor(CVeST*, double, double, int32_t*, int32_t*, int32_t*, int32_t*)
{
    return 0;
}
VestBitmapHandle* vestNewBitmap()
{
    return nullptr;
}
int32_t vestDeleteBitmap(VestBitmapHandle*)
{
    return 0;
}
int32_t vestLoadBitmapFile(VestBitmapHandle*, const char*)
{
    return 0;
}
int32_t vestLoadBitmapResource(VestBitmapHandle*, const char*)
{
    return 0;
}
int32_t vestLoadBitmapResourceId(VestBitmapHandle*, int32_t)
{
    return 0;
}
double vestGetBitmapWidth(VestBitmapHandle*)
{
    return 0.0;
}
double vestGetBitmapHeight(VestBitmapHandle*)
{
    return 0.0;
}
int32_t vestGetBitmapTransparentColor(VestBitmapHandle*, int32_t*, int32_t*, int32_t*, int32_t*)
{
    return 0;
}
int32_t vestSetBitmapTransparentColor(VestBitmapHandle*, int32_t, int32_t, int32_t, int32_t)
{
    return 0;
}
int32_t vestGetBitmapNoAlpha(VestBitmapHandle*)
{
    return 0;
}
int32_t vestSetBitmapNoAlpha(VestBitmapHandle*, bool)
{
    return 0;
}
bool vestDrawBitmap(VestBitmapHandle*, CVeST*, double, double, double, double, double, double)
{
    return false;
}
bool vestDrawBitmapAlpha(VestBitmapHandle*, CVeST*, double, double, double, double, double, double, uint8_t)
{
    return false;
}
bool vestDrawBitmapTransparent(VestBitmapHandle*, CVeST*, double, double, double, double, double, double)
{
    return false;
}
