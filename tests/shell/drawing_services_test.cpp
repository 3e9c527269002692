// The drawing, font and bitmap services on GDI+: nothing happens outside a
// draw, the font cache holds one font per face, and bitmap handles own
// exactly one reference.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bitmap_handle.h"
#include "bmp_file.h"
#include "gui/bitmap.h"
#include "gui/gdiplus_globals.h"
#include "gui/offscreen_context.h"
#include "module_handle.h"
#include "probe_plugin.h"
#include "scratch_folder.h"

namespace {

// A plug-in drawing into a 40 × 20 offscreen surface, GDI+ running.
class DrawingTest : public ProbePlugin {
protected:
    DrawingTest() : surface(nullptr, 40, 20, VSTGUI::CColor{0, 0, 0, 255}) {}
    void draw() { vest->drawContext = &surface; }

    struct GdiPlusRunning {
        GdiPlusRunning() { VSTGUI::GDIPlusGlobals::enter(); }
        ~GdiPlusRunning() { VSTGUI::GDIPlusGlobals::exit(); }
    } gdiPlus;
    VSTGUI::COffscreenContext surface;
};

// Every drawing service, called once; the sum of their answers.
int drawEverything(CVeST* vest)
{
    int32_t r, g, b, a;
    return vestSetDrawMode(vest, 3) + vestSetFontColor(vest, 1, 2, 3, 4) + vestSetFillColor(vest, 1, 2, 3, 4)
        + vestSetFrameColor(vest, 1, 2, 3, 4) + vestSetFont(vest, "Arial", 10, 0) + vestMoveTo(vest, 1, 1)
        + vestLineTo(vest, 5, 5) + vestDrawRect(vest, 1, 1, 9, 9, 0) + vestDrawEllipse(vest, 1, 1, 9, 9, 1)
        + vestDrawArc(vest, 1, 1, 9, 9, 0, 90, 0) + vestDrawString(vest, "a", 0, 0, 20, 10, false, 0)
        + vestDrawStringAt(vest, "a", 2, 12, true) + vestDrawStringInRect(vest, "a", 0, 0, 20, 10, 1, true)
        + vestDrawPoint(vest, 3, 3, 255, 0, 0, 255) + vestGetPointColor(vest, 3, 3, &r, &g, &b, &a);
}

TEST_F(DrawingTest, OutsideADrawEveryDrawingServiceAnswersZero)
{
    EXPECT_EQ(drawEverything(vest), 0);
    EXPECT_EQ(drawEverything(nullptr), 0);
    EXPECT_EQ(vestGetStringWidth(vest, "text"), 0.0);
    EXPECT_EQ(vestGetFontSize(vest), 0);
    EXPECT_TRUE(vest->fonts.empty());
}

TEST_F(DrawingTest, DuringADrawEveryDrawingServiceWorks)
{
    draw();
    EXPECT_EQ(drawEverything(vest), 15);
}

TEST_F(DrawingTest, ColoursAreCutToTheirLowBytes)
{
    draw();
    vestSetFillColor(vest, 300, 0, 0, 255);
    EXPECT_EQ(surface.getFillColor(), (VSTGUI::CColor{44, 0, 0, 255}));
    vestSetFrameColor(vest, -1, 256, 511, 0x1FF);
    EXPECT_EQ(surface.getFrameColor(), (VSTGUI::CColor{255, 0, 255, 255}));
    vestSetFontColor(vest, 1, 2, 3, 4);
    EXPECT_EQ(surface.getFontColor(), (VSTGUI::CColor{1, 2, 3, 4}));
}

TEST_F(DrawingTest, TheFontCacheHoldsOneFontPerFaceWhateverItsCase)
{
    draw();
    EXPECT_EQ(vestSetFont(vest, "verdana", 12, 0), 1);
    EXPECT_EQ(vestSetFont(vest, "VERDANA", 14, 1), 1);
    ASSERT_EQ(vest->fonts.size(), 1u);
    EXPECT_STREQ(vest->fonts[0]->getName(), "verdana");
    EXPECT_EQ(vestSetFont(vest, "Courier New", 12, 0), 1);
    EXPECT_EQ(vest->fonts.size(), 2u);
    EXPECT_EQ(vestGetFontSize(vest), 12);
    EXPECT_EQ(vestSetFont(vest, nullptr, 12, 0), 0);
    EXPECT_EQ(vest->fonts.size(), 2u);
}

TEST_F(DrawingTest, ThePluginDropsOneReferenceOfEveryCachedFont)
{
    draw();
    vestSetFont(vest, "Arial", 12, 0);
    vestSetFont(vest, "Courier New", 12, 0);
    std::vector<VSTGUI::CFontDesc*> fonts = vest->fonts;
    std::vector<int32_t> counts;
    for (VSTGUI::CFontDesc* font : fonts) {
        font->remember();
        counts.push_back(font->getNbReference());
    }
    vest->drawContext = nullptr;
    vest->release();
    vest = nullptr;
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        EXPECT_EQ(fonts[i]->getNbReference(), counts[i] - 1);
        fonts[i]->forget();
    }
}

class BitmapServicesTest : public DrawingTest {
protected:
    ~BitmapServicesTest() override { vestDeleteBitmap(handle); }
    std::string bmp(const std::string& name, int width, int height) const
    {
        return writeBmp(files.path(), name, width, height);
    }

    VestBitmapHandle* handle = vestNewBitmap();
    ScratchFolder files{std::filesystem::temp_directory_path(), "vest-bitmaps"};
};

TEST_F(BitmapServicesTest, AFileLoadsIntoTheHandle)
{
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(vestGetBitmapWidth(handle), 0.0);
    ASSERT_EQ(vestLoadBitmapFile(handle, bmp("vest_3x2.bmp", 3, 2).c_str()), 1);
    EXPECT_EQ(vestGetBitmapWidth(handle), 3.0);
    EXPECT_EQ(vestGetBitmapHeight(handle), 2.0);
    EXPECT_EQ(handle->bitmap->getNbReference(), 1);
}

// A user folder such as "Müller": the runtime's narrow paths are in the
// system code page, so the name must reach the file system as the system
// itself writes it in that code page.
TEST_F(BitmapServicesTest, AFileInAFolderWithANonAsciiNameLoads)
{
    const wchar_t* folderName = L"M\u00FCller";
    char narrowName[MAX_PATH] = {};
    BOOL lossy = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, folderName, -1, narrowName, MAX_PATH, nullptr, &lossy);
    ASSERT_FALSE(lossy) << "code page " << GetACP() << " cannot write the folder's name";
    ASSERT_EQ(std::string(narrowName).size(), 6u) << "one byte per character in code page " << GetACP();

    const std::string folder = files.path() + "\\" + narrowName;
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string path = writeBmp(folder, "vest_7x3.bmp", 7, 3);
    ASSERT_NE(GetFileAttributesW(files.widePath(std::wstring(folderName) + L"\\vest_7x3.bmp").c_str()),
              INVALID_FILE_ATTRIBUTES);

    ASSERT_EQ(vestLoadBitmapFile(handle, path.c_str()), 1) << path;
    EXPECT_EQ(vestGetBitmapWidth(handle), 7.0);
    EXPECT_EQ(vestGetBitmapHeight(handle), 3.0);
}

TEST_F(BitmapServicesTest, ReloadingDropsExactlyOneReferenceOfTheEarlierBitmap)
{
    const std::string path = bmp("vest_4x4.bmp", 4, 4);
    ASSERT_EQ(vestLoadBitmapFile(handle, path.c_str()), 1);
    VSTGUI::CBitmap* first = handle->bitmap;
    first->remember();
    EXPECT_EQ(vestLoadBitmapFile(handle, "Z:\\no\\such\\image.png"), 0);
    EXPECT_EQ(handle->bitmap, nullptr);
    EXPECT_EQ(first->getNbReference(), 1);
    first->forget();

    ASSERT_EQ(vestLoadBitmapFile(handle, path.c_str()), 1);
    VSTGUI::CBitmap* second = handle->bitmap;
    second->remember();
    EXPECT_EQ(vestLoadBitmapFile(handle, path.c_str()), 1);
    EXPECT_NE(handle->bitmap, second);
    EXPECT_EQ(second->getNbReference(), 1);
    second->forget();
}

TEST_F(BitmapServicesTest, AMissingResourceLeavesTheHandleEmpty)
{
    hInstance = GetModuleHandleW(nullptr);
    EXPECT_EQ(vestLoadBitmapResourceId(handle, 4711), 0);
    EXPECT_EQ(handle->bitmap, nullptr);
    EXPECT_EQ(vestLoadBitmapResource(handle, "NO_SUCH_IMAGE"), 0);
    EXPECT_EQ(handle->bitmap, nullptr);
    EXPECT_EQ(vestLoadBitmapResource(handle, nullptr), 0);
}

TEST_F(BitmapServicesTest, ColourAndAlphaFlagOfTheHeldBitmap)
{
    int32_t r = -1, g = -1, b = -1, a = -1;
    EXPECT_EQ(vestGetBitmapTransparentColor(handle, &r, &g, &b, &a), 0);
    EXPECT_EQ(r, -1);
    EXPECT_EQ(vestSetBitmapNoAlpha(handle, false), 0);
    ASSERT_EQ(vestLoadBitmapFile(handle, bmp("vest_2x2.bmp", 2, 2).c_str()), 1);
    EXPECT_EQ(vestSetBitmapTransparentColor(handle, 300, 2, 3, 4), 1);
    EXPECT_EQ(vestGetBitmapTransparentColor(handle, &r, &g, &b, &a), 1);
    EXPECT_EQ(r, 44);
    EXPECT_EQ(g, 2);
    EXPECT_EQ(b, 3);
    EXPECT_EQ(a, 4);
    EXPECT_EQ(vestSetBitmapNoAlpha(handle, false), 1);
    EXPECT_EQ(vestGetBitmapNoAlpha(handle), 0);
    EXPECT_EQ(vestSetBitmapNoAlpha(handle, true), 1);
    EXPECT_EQ(vestGetBitmapNoAlpha(handle), 1);
}

TEST_F(BitmapServicesTest, BitmapsDrawOnlyDuringADraw)
{
    ASSERT_EQ(vestLoadBitmapFile(handle, bmp("vest_5x5.bmp", 5, 5).c_str()), 1);
    EXPECT_FALSE(vestDrawBitmap(handle, vest, 0, 0, 5, 5, 0, 0));
    EXPECT_FALSE(vestDrawBitmapAlpha(handle, vest, 0, 0, 5, 5, 0, 0, 128));
    EXPECT_FALSE(vestDrawBitmapTransparent(handle, vest, 0, 0, 5, 5, 0, 0));
    draw();
    EXPECT_TRUE(vestDrawBitmap(handle, vest, 0, 0, 5, 5, 0, 0));
    EXPECT_TRUE(vestDrawBitmapAlpha(handle, vest, 0, 0, 5, 5, 0, 0, 128));
    EXPECT_TRUE(vestDrawBitmapTransparent(handle, vest, 0, 0, 5, 5, 0, 0));
    EXPECT_FALSE(vestDrawBitmap(handle, nullptr, 0, 0, 5, 5, 0, 0));
    VestBitmapHandle* empty = vestNewBitmap();
    EXPECT_FALSE(vestDrawBitmap(empty, vest, 0, 0, 5, 5, 0, 0));
    vestDeleteBitmap(empty);
}

TEST(BitmapHandleTest, ANullHandleAnswersZeroEverywhere)
{
    int32_t r, g, b, a;
    EXPECT_EQ(vestDeleteBitmap(nullptr), 0);
    EXPECT_EQ(vestLoadBitmapFile(nullptr, "x.png"), 0);
    EXPECT_EQ(vestLoadBitmapResource(nullptr, "x"), 0);
    EXPECT_EQ(vestLoadBitmapResourceId(nullptr, 0), 0);
    EXPECT_EQ(vestGetBitmapWidth(nullptr), 0.0);
    EXPECT_EQ(vestGetBitmapHeight(nullptr), 0.0);
    EXPECT_EQ(vestGetBitmapTransparentColor(nullptr, &r, &g, &b, &a), 0);
    EXPECT_EQ(vestSetBitmapTransparentColor(nullptr, 1, 2, 3, 4), 0);
    EXPECT_EQ(vestGetBitmapNoAlpha(nullptr), 0);
    EXPECT_EQ(vestSetBitmapNoAlpha(nullptr, true), 0);
    EXPECT_FALSE(vestDrawBitmap(nullptr, nullptr, 0, 0, 1, 1, 0, 0));
}

} // namespace
