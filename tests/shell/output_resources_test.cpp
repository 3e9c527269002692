// The three images inside the built output.dll: "DATA" resources 0, 1 and 2
// holding exactly the PNG files of resources/, which GDI+ decodes to the
// sizes the display draws them at, with a transparent surround, and which
// the bitmap services load by id.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <objidl.h>

#include <gdiplus.h>

#include "bitmap_handle.h"
#include "gui/bitmap.h"
#include "gui/gdiplus_globals.h"
#include "module_handle.h"
#include "services.h"

namespace {

using namespace Gdiplus::DllExports;

struct EmbeddedImage {
    int id;
    const char* file;
    unsigned width;
    unsigned height;
};

const EmbeddedImage kImages[] = {
    {0, "TOLVARINE_LogoTealGlow_SkaldoVerix.png", 99, 99},
    {1, "Working_ON_dim.png", 100, 20},
    {2, "Clipping_ON.png", 100, 20},
};

std::vector<uint8_t> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::wstring widened(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

// The library loaded for its resources only (no code runs), GDI+ running.
class OutputResources : public ::testing::TestWithParam<EmbeddedImage> {
protected:
    static void SetUpTestSuite()
    {
        VSTGUI::GDIPlusGlobals::enter();
        library = LoadLibraryExW(widened(VEST_OUTPUT_DLL).c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }
    static void TearDownTestSuite()
    {
        if (library)
            FreeLibrary(library);
        VSTGUI::GDIPlusGlobals::exit();
    }

    // The bytes of "DATA" resource id, empty when there is none.
    static std::vector<uint8_t> resourceBytes(int id)
    {
        HRSRC found = FindResourceW(library, MAKEINTRESOURCEW(id), L"DATA");
        HGLOBAL loaded = found ? LoadResource(library, found) : nullptr;
        const auto* data = static_cast<const uint8_t*>(loaded ? LockResource(loaded) : nullptr);
        return data ? std::vector<uint8_t>(data, data + SizeofResource(library, found)) : std::vector<uint8_t>();
    }

    static inline HMODULE library = nullptr;
};

// Decodes PNG bytes with GDI+; null when it cannot.
Gdiplus::GpBitmap* decode(const std::vector<uint8_t>& bytes)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::copy(bytes.begin(), bytes.end(), static_cast<uint8_t*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (CreateStreamOnHGlobal(memory, TRUE, &stream) != S_OK) {
        GlobalFree(memory);
        return nullptr;
    }
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (GdipCreateBitmapFromStream(stream, &bitmap) != Gdiplus::Ok)
        bitmap = nullptr;
    stream->Release();
    return bitmap;
}

TEST_P(OutputResources, HoldTheImageFileByteForByte)
{
    ASSERT_NE(library, nullptr) << VEST_OUTPUT_DLL;
    const EmbeddedImage& image = GetParam();
    const std::vector<uint8_t> file = readFile(std::string(VEST_RESOURCE_FOLDER) + "/" + image.file);
    ASSERT_FALSE(file.empty()) << image.file;
    EXPECT_EQ(resourceBytes(image.id), file) << "resource " << image.id;
}

TEST_P(OutputResources, DecodeToTheDrawnSizeWithATransparentCorner)
{
    ASSERT_NE(library, nullptr) << VEST_OUTPUT_DLL;
    const EmbeddedImage& image = GetParam();
    Gdiplus::GpBitmap* bitmap = decode(resourceBytes(image.id));
    ASSERT_NE(bitmap, nullptr) << "resource " << image.id;
    UINT width = 0, height = 0;
    GdipGetImageWidth(bitmap, &width);
    GdipGetImageHeight(bitmap, &height);
    EXPECT_EQ(width, image.width);
    EXPECT_EQ(height, image.height);
    Gdiplus::PixelFormat format = 0;
    GdipGetImagePixelFormat(bitmap, &format);
    EXPECT_EQ(format, PixelFormat32bppARGB);
    // The display shows them over its own background: the corners let it through.
    Gdiplus::ARGB corner = 0xFFFFFFFF;
    GdipBitmapGetPixel(bitmap, 0, 0, &corner);
    EXPECT_EQ(corner >> 24, 0u);
    GdipDisposeImage(bitmap);
}

TEST_P(OutputResources, LoadThroughTheBitmapServiceById)
{
    ASSERT_NE(library, nullptr) << VEST_OUTPUT_DLL;
    const EmbeddedImage& image = GetParam();
    hInstance = library;
    VestBitmapHandle* handle = vestNewBitmap();
    EXPECT_EQ(vestLoadBitmapResourceId(handle, image.id), 1);
    EXPECT_EQ(vestGetBitmapWidth(handle), image.width);
    EXPECT_EQ(vestGetBitmapHeight(handle), image.height);
    // Decoded from a resource, unlike a copied file image.
    EXPECT_EQ(vestGetBitmapNoAlpha(handle), 0);
    vestDeleteBitmap(handle);
    hInstance = nullptr;
}

INSTANTIATE_TEST_SUITE_P(Images, OutputResources, ::testing::ValuesIn(kImages),
                         [](const ::testing::TestParamInfo<EmbeddedImage>& info) {
                             return "Id" + std::to_string(info.param.id);
                         });

} // namespace
