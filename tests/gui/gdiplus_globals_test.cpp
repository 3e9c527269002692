#include "gui/bitmap.h"
#include "gui/font_desc.h"
#include "gui/gdiplus_globals.h"

#include "gdiplus_test_support.h"

#include <gtest/gtest.h>

namespace VSTGUI {
namespace test {
namespace {

// No fixture keeps GDI+ running here: the bitmaps alone start and stop it.
TEST(GdiPlusGlobalsTest, FirstUserStartsAndLastStops)
{
    ASSERT_EQ(GDIPlusGlobals::getInstance(), nullptr);
    auto* first = new CBitmap();
    ASSERT_NE(GDIPlusGlobals::getInstance(), nullptr);
    EXPECT_EQ(GDIPlusGlobals::getInstance()->getNbReference(), 1);
    auto* second = new CBitmap();
    EXPECT_EQ(GDIPlusGlobals::getInstance()->getNbReference(), 2);

    first->forget();
    EXPECT_EQ(GDIPlusGlobals::getInstance()->getNbReference(), 1);
    second->forget();
    EXPECT_EQ(GDIPlusGlobals::getInstance(), nullptr);

    GDIPlusGlobals::exit(); // without a user: nothing happens
    EXPECT_EQ(GDIPlusGlobals::getInstance(), nullptr);
}

TEST(GdiPlusGlobalsTest, ShutDownReleasesFontsAndARestartMakesThemAgain)
{
    auto* keeper = new COffscreenContext(nullptr, 60, 20, kOpaqueBlack);
    // The context and its bitmap each keep GDI+ running.
    ASSERT_EQ(GDIPlusGlobals::getInstance()->getNbReference(), 2);
    CFontDesc other("Arial", 20, 0);
    keeper->setFont(&other, 0, -1);
    keeper->getStringWidth("abc");
    keeper->setFont(kSystemFont, 0, -1);
    keeper->getStringWidth("abc");
    ASSERT_TRUE(kSystemFont->hasPlatformFont());
    ASSERT_TRUE(other.hasPlatformFont());
    keeper->forget(); // the last bitmap: GDI+ shuts down

    ASSERT_EQ(GDIPlusGlobals::getInstance(), nullptr);
    EXPECT_FALSE(kSystemFont->hasPlatformFont());
    EXPECT_FALSE(other.hasPlatformFont());

    Surface restarted(60, 20);
    EXPECT_NE(GDIPlusGlobals::getInstance(), nullptr);
    restarted.drawStringUTF8("abc", CPoint(0, 15), true);
    EXPECT_NE(restarted.paintedBox(), CRect());
}

// A context makes its pen and brushes before anything else of it starts GDI+
// and deletes them after its bitmap is gone, so it holds GDI+ itself.
TEST(GdiPlusGlobalsTest, EveryContextKeepsGdiPlusRunningForItsWholeLife)
{
    ASSERT_EQ(GDIPlusGlobals::getInstance(), nullptr);
    auto* plain = new CDrawContext(nullptr, nullptr, nullptr);
    ASSERT_NE(GDIPlusGlobals::getInstance(), nullptr);
    EXPECT_EQ(GDIPlusGlobals::getInstance()->getNbReference(), 1);
    plain->forget();
    EXPECT_EQ(GDIPlusGlobals::getInstance(), nullptr);

    // The offscreen's bitmap outlives the context: GDI+ goes with the bitmap.
    auto* offscreen = new COffscreenContext(nullptr, 8, 8, kOpaqueBlack);
    CBitmap* bitmap = offscreen->getBitmap();
    bitmap->remember();
    offscreen->forget();
    ASSERT_NE(GDIPlusGlobals::getInstance(), nullptr);
    EXPECT_EQ(GDIPlusGlobals::getInstance()->getNbReference(), 1);
    bitmap->forget();
    EXPECT_EQ(GDIPlusGlobals::getInstance(), nullptr);
}

} // namespace
} // namespace test
} // namespace VSTGUI
