// Run in the prefix where only the DejaVu fonts are installed, with two
// symbol fonts of the tests' own added for this process before GDI+ lists
// its families: their names say Sans and Mono, and they come before the
// DejaVu families that say so.
#include "gui/font_desc.h"

#include "font_family_names.h"
#include "gdiplus_test_support.h"
#include "symbol_font.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace VSTGUI {
namespace test {
namespace {

const char* const kSymbolFamilies[] = {"Boxes Sans", "Boxes Mono"};

// Written into the temporary folder and added for this process alone.
class SymbolFontsInstalled : public testing::Environment {
public:
    void SetUp() override
    {
        wchar_t folder[MAX_PATH] = {};
        ASSERT_NE(GetTempPathW(MAX_PATH, folder), 0u);
        for (const char* family : kSymbolFamilies) {
            // Tests of this program run at once in processes of their own.
            const std::wstring path = folder + std::wstring(family, family + std::strlen(family)) + L" "
                + std::to_wstring(GetCurrentProcessId()) + L".ttf";
            const std::vector<uint8_t> bytes = symbolFontFile(family);
            FILE* file = _wfopen(path.c_str(), L"wb");
            ASSERT_NE(file, nullptr);
            const size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file);
            std::fclose(file);
            ASSERT_EQ(written, bytes.size());
            ASSERT_EQ(AddFontResourceExW(path.c_str(), FR_PRIVATE, nullptr), 1);
            paths.push_back(path);
        }
    }
    void TearDown() override
    {
        for (const std::wstring& path : paths) {
            RemoveFontResourceExW(path.c_str(), FR_PRIVATE, nullptr);
            DeleteFileW(path.c_str());
        }
    }

private:
    std::vector<std::wstring> paths;
};

const testing::Environment* const symbolFonts = testing::AddGlobalTestEnvironment(new SymbolFontsInstalled);

class SymbolFamilyTest : public GdiPlusTest {
protected:
    void SetUp() override
    {
        const std::vector<std::wstring> installed = installedFamilies();
        const auto position = [&installed](const wchar_t* family) {
            return std::find(installed.begin(), installed.end(), family) - installed.begin();
        };
        ASSERT_LT(position(L"Boxes Sans"), position(L"DejaVu Sans"));
        ASSERT_LT(position(L"Boxes Mono"), position(L"DejaVu Sans Mono"));
        ASSERT_LT(position(L"DejaVu Sans Mono"), static_cast<std::ptrdiff_t>(installed.size()));
    }
};

TEST_F(SymbolFamilyTest, AMissingFaceSkipsASymbolFaceThatSaysSans)
{
    CFontDesc font("Arial", 12, 0);
    EXPECT_EQ(familyDrawn(font), L"DejaVu Sans");
}

TEST_F(SymbolFamilyTest, AMissingMonospacedFaceSkipsASymbolFaceThatSaysMono)
{
    for (const char* face : {"Courier New", "Nowhere Mono"}) {
        SCOPED_TRACE(face);
        CFontDesc font(face, 12, 0);
        EXPECT_EQ(familyDrawn(font), L"DejaVu Sans Mono");
    }
}

} // namespace
} // namespace test
} // namespace VSTGUI
