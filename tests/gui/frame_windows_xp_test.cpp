#include "gui/frame.h"

#include "frame_test_support.h"
#include "module_handle.h"

#include <gtest/gtest.h>

namespace VSTGUI {
namespace test {
namespace {

// This executable runs as Windows XP (its CTest fixture sets Wine's version
// for it): before window composition, the frame's window asks for none.
TEST(FrameAsWindowsXpTest, TheWindowIsNotComposited)
{
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExW(&version);
    ASSERT_LE(version.dwMajorVersion, 5u) << "the version override for this executable is missing";

    hInstance = GetModuleHandleW(nullptr);
    const int32_t liveObjects = CBaseObject::getLiveObjectCount();
    {
        HostWindow host(300, 200);
        auto* frame = new CFrame(CRect(0, 0, 300, 200), host.handle(), nullptr);
        HWND window = static_cast<HWND>(frame->getSystemWindow());
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_COMPOSITED, 0);
        frame->forget();
        pumpMessages();
    }
    EXPECT_EQ(CBaseObject::getLiveObjectCount(), liveObjects);
}

} // namespace
} // namespace test
} // namespace VSTGUI
