#include "gui/bitmap.h"
#include "gui/offscreen_context.h"

#include "gdiplus_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace VSTGUI {
namespace test {
namespace {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

// A 20 × 10 source: opaque red on the left half, blue at alpha 200 on the
// right.
class BitmapTest : public GdiPlusTest {
protected:
    BitmapTest() : source(20, 10)
    {
        source.setFillColor(kRed);
        source.fillRect(CRect(0, 0, 10, 10));
        source.setFillColor(CColor{0, 0, 255, 200});
        source.fillRect(CRect(10, 0, 20, 10));
    }

    CBitmap& sourceBitmap() { return *source.getBitmap(); }

    Surface source;
};

TEST_F(BitmapTest, DrawAndDrawTransparentAreOpaqueAlphaBlends)
{
    CRect whole(0, 0, 20, 10);
    Surface drawn(20, 10);
    sourceBitmap().draw(&drawn, whole, CPoint(0, 0));
    Surface transparent(20, 10);
    sourceBitmap().drawTransparent(&transparent, whole, CPoint(0, 0));
    Surface blended(20, 10);
    sourceBitmap().drawAlphaBlend(&blended, whole, CPoint(0, 0), 255);

    EXPECT_TRUE(drawn.samePixelsAs(source));
    EXPECT_TRUE(transparent.samePixelsAs(source));
    EXPECT_TRUE(blended.samePixelsAs(source));
}

TEST_F(BitmapTest, PartialAlphaScalesEveryPixelsAlpha)
{
    struct Case {
        uint8_t alpha;
    } const cases[] = {{128}, {64}, {0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.alpha));
        CRect whole(0, 0, 20, 10);
        Surface target(20, 10);
        sourceBitmap().drawAlphaBlend(&target, whole, CPoint(0, 0), c.alpha);
        for (const auto& [x, sourceAlpha] : {std::pair<int, int>{3, 255}, {15, 200}}) {
            SCOPED_TRACE(x);
            const int expected = sourceAlpha * c.alpha / 255;
            EXPECT_LE(std::abs(alphaOf(target.pixel(x, 5)) - expected), 1);
            if (expected > 0) {
                EXPECT_EQ(target.pixel(x, 5) & 0xFFFFFF, source.pixel(x, 5) & 0xFFFFFF);
            }
        }
    }
}

TEST_F(BitmapTest, DestinationAndSourceAreTruncatedToIntegers)
{
    Surface target(40, 50);
    target.setOffset(CPoint(0.5, 0));
    CRect rect(10.7, 20.2, 30.9, 40.5); // 20.2 × 20.3 drawn as 20 × 20
    Surface redSource(40, 50);
    redSource.setFillColor(kRed);
    redSource.fillRect(CRect(0, 0, 40, 50));
    redSource.getBitmap()->draw(&target, rect, CPoint(0.9, 0.9));
    EXPECT_EQ(target.paintedBox(), CRect(10, 20, 30, 40));
}

TEST_F(BitmapTest, SourceOffsetPicksTheAreaDrawn)
{
    CRect rect(0, 0, 5, 5);
    Surface target(5, 5);
    sourceBitmap().draw(&target, rect, CPoint(8, 0));
    EXPECT_EQ(target.pixel(1, 1), kRedArgb);
    EXPECT_EQ(alphaOf(target.pixel(2, 1)), 200);

    Surface blended(5, 5);
    sourceBitmap().drawAlphaBlend(&blended, rect, CPoint(8, 0), 128);
    EXPECT_EQ(blended.pixel(1, 1) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(blended.pixel(2, 1) & 0xFFFFFF, 0x0000FFu);
}

TEST_F(BitmapTest, CopyOfAGdiplusImageIsItsOwnArgbImage)
{
    GpBitmap* decoded = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromScan0(6, 4, 0, PixelFormat24bppRGB, nullptr, &decoded), Ok);
    GdipBitmapSetPixel(decoded, 2, 1, 0xFF00FF00);
    auto* copy = new CBitmap(decoded);
    GdipDisposeImage(decoded); // the source stays the caller's

    EXPECT_EQ(copy->getWidth(), 6);
    EXPECT_EQ(copy->getHeight(), 4);
    EXPECT_TRUE(copy->getNoAlpha());
    EXPECT_TRUE(copy->isLoaded());
    PixelFormat format = 0;
    GdipGetImagePixelFormat(copy->getBitmap()->get(), &format);
    EXPECT_EQ(format, PixelFormat32bppARGB);
    EXPECT_EQ(pixelOf(*copy, 2, 1), 0xFF00FF00u);
    copy->forget();
}

TEST_F(BitmapTest, FailedCopyLeavesTheBitmapEmpty)
{
    CBitmap copy(static_cast<GpBitmap*>(nullptr));
    EXPECT_FALSE(copy.isLoaded());
    EXPECT_EQ(copy.getWidth(), 0);
    EXPECT_EQ(copy.getHeight(), 0);

    CRect rect(0, 0, 4, 4);
    Surface target(4, 4);
    copy.draw(&target, rect, CPoint(0, 0));
    EXPECT_EQ(target.paintedBox(), CRect());
}

TEST_F(BitmapTest, StartsWithTransparentWhiteAndNoAlphaSet)
{
    CBitmap empty;
    EXPECT_EQ(empty.getTransparentColor(), (CColor{255, 255, 255, 0}));
    EXPECT_TRUE(empty.getNoAlpha());
    EXPECT_FALSE(empty.isLoaded());
    empty.setTransparentColor(kRed);
    EXPECT_EQ(empty.getTransparentColor(), kRed);
}

TEST_F(BitmapTest, DisposeEmptiesTheBitmapAndLoadingFromAPathIsNotOffered)
{
    auto* copy = new CBitmap(sourceBitmap().getBitmap()->get());
    ASSERT_EQ(copy->getWidth(), 20);
    EXPECT_FALSE(copy->loadFromPath("C:\\image.png"));
    EXPECT_FALSE(copy->isLoaded());
    EXPECT_EQ(copy->getWidth(), 0);
    EXPECT_EQ(copy->getHeight(), 0);
    EXPECT_FALSE(copy->getNoAlpha());
    copy->forget();
}

TEST_F(BitmapTest, DrawingIntoAContextWithoutSurfaceDoesNothing)
{
    CDrawContext noSurface(nullptr, nullptr, nullptr);
    CRect rect(0, 0, 20, 10);
    sourceBitmap().draw(&noSurface, rect, CPoint(0, 0));
    sourceBitmap().drawAlphaBlend(&noSurface, rect, CPoint(0, 0), 128);
    sourceBitmap().draw(nullptr, rect, CPoint(0, 0));
}

TEST_F(BitmapTest, SharedBitmapOutlivesTheContextThatMadeIt)
{
    auto* context = new Surface(4, 4);
    context->setFillColor(kRed);
    context->fillRect(CRect(0, 0, 4, 4));
    CBitmap* bitmap = context->getBitmap();
    bitmap->remember(); // a second owner
    context->forget();

    EXPECT_EQ(bitmap->getNbReference(), 1);
    EXPECT_EQ(pixelOf(*bitmap, 3, 3), kRedArgb);
    CRect rect(0, 0, 4, 4);
    Surface target(4, 4);
    bitmap->draw(&target, rect, CPoint(0, 0));
    EXPECT_EQ(target.pixel(0, 0), kRedArgb);
    bitmap->forget();
}

// A context whose image GDI+ refuses keeps its bitmap, which then holds no
// image, and has no surface.
TEST_F(BitmapTest, OffscreenClipIsItsNormalisedSizeWithOrWithoutAnImage)
{
    struct Case {
        int32_t width;
        int32_t height;
        CRect clip;
        bool surface;
    } const cases[] = {
        {20, 10, {0, 0, 20, 10}, true},
        {0, 0, {0, 0, 0, 0}, false},
        {-5, 3, {-5, 0, 0, 3}, false},
        // 2.4 GB of pixels: GDI+ answers that it is out of memory.
        {20000, 30000, {0, 0, 20000, 30000}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        COffscreenContext context(nullptr, c.width, c.height, kRed);
        CRect clip;
        EXPECT_EQ(context.getClipRect(clip), c.clip);
        EXPECT_EQ(context.getWidth(), c.width);
        EXPECT_EQ(context.getHeight(), c.height);
        EXPECT_EQ(context.getBackgroundColor(), kRed);
        EXPECT_EQ(context.getGraphics() != nullptr, c.surface);
        EXPECT_EQ(context.hasImage(), c.surface);
        ASSERT_NE(context.getBitmap(), nullptr);
        EXPECT_EQ(context.getBitmap()->getWidth(), c.width);
        context.fillRect(CRect(0, 0, 10, 10)); // nothing to see, nothing to break
    }
}

TEST_F(BitmapTest, NewOffscreenIsTransparentNotItsBackgroundColour)
{
    COffscreenContext context(nullptr, 3, 3, kRed);
    EXPECT_EQ(pixelOf(*context.getBitmap(), 1, 1), kTransparent);
}

TEST_F(BitmapTest, CopyFromDrawsTheSurfaceIntoAnotherContext)
{
    Surface target(30, 20);
    source.copyFrom(&target, CRect(5, 5, 15, 10), CPoint(2, 0));
    EXPECT_EQ(target.paintedBox(), CRect(5, 5, 15, 10));
    EXPECT_EQ(target.pixel(5, 5), kRedArgb);
}

// An offscreen made on another context's device context: a memory device
// context with a 32-bit section selected, no window needed.
class CompatibleOffscreenTest : public BitmapTest {
protected:
    CompatibleOffscreenTest()
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = 4;
        info.bmiHeader.biHeight = 4;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        deviceContext = CreateCompatibleDC(nullptr);
        section = CreateDIBSection(deviceContext, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        previous = SelectObject(deviceContext, section);
        given = new CDrawContext(nullptr, deviceContext, nullptr);
    }
    ~CompatibleOffscreenTest() override
    {
        given->forget();
        SelectObject(deviceContext, previous);
        DeleteObject(section);
        DeleteDC(deviceContext);
    }

    HDC deviceContext;
    HBITMAP section;
    HGDIOBJ previous;
    CDrawContext* given;
};

TEST_F(CompatibleOffscreenTest, DrawsIntoTheBackgroundBitmapItself)
{
    COffscreenContext context(given, &sourceBitmap(), true);
    EXPECT_EQ(context.getBitmap(), nullptr);
    EXPECT_FALSE(context.hasImage());
    EXPECT_EQ(context.getWidth(), 20);
    CRect clip;
    EXPECT_EQ(context.getClipRect(clip), CRect(0, 0, 20, 10));
    context.setFillColor(kWhite);
    context.fillRect(CRect(0, 0, 2, 2));
    EXPECT_EQ(source.pixel(1, 1), kWhiteArgb);
    EXPECT_EQ(source.pixel(3, 3), kRedArgb);
}

TEST_F(CompatibleOffscreenTest, StartsWithTheBackgroundAndSharesItsSurface)
{
    COffscreenContext context(given, &sourceBitmap(), false);
    CBitmap* bitmap = context.getBitmap();
    ASSERT_NE(bitmap, nullptr);
    EXPECT_TRUE(context.hasImage());
    EXPECT_EQ(bitmap->getWidth(), 20);
    EXPECT_EQ(bitmap->getHeight(), 10);
    EXPECT_EQ(pixelOf(*bitmap, 3, 3) & 0xFFFFFF, 0xFF0000u);

    context.setFillColor(kWhite);
    context.fillRect(CRect(0, 0, 2, 2));
    EXPECT_EQ(pixelOf(*bitmap, 1, 1) & 0xFFFFFF, 0xFFFFFFu); // drawn after it was made
    EXPECT_EQ(source.pixel(1, 1), kRedArgb); // the background is untouched
}

TEST_F(CompatibleOffscreenTest, WithoutBackgroundIsOpaqueBlackOfTwentySquare)
{
    COffscreenContext context(given, nullptr, false);
    EXPECT_EQ(context.getWidth(), 20);
    EXPECT_EQ(context.getHeight(), 20);
    CRect clip;
    EXPECT_EQ(context.getClipRect(clip), CRect(0, 0, 1000, 1000));
    ASSERT_NE(context.getBitmap(), nullptr);
    EXPECT_EQ(context.getBitmap()->getWidth(), 20);
    EXPECT_EQ(pixelOf(*context.getBitmap(), 19, 19), 0xFF000000u);
}

} // namespace
} // namespace test
} // namespace VSTGUI
