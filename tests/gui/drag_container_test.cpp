#include "gui/win_drag_container.h"

#include "gui/ole_initialization.h"

#include "scratch_folder.h"
#include "test_data_object.h"

#include <gtest/gtest.h>

#include <shlobj.h>
#include <shobjidl.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace VSTGUI {
namespace test {
namespace {

// The drag containers resolve shortcuts through the shell, which needs OLE on
// the thread, as the frame provides it.
class DragContainerTest : public testing::Test {
protected:
    OleInitialization ole;
};

// The item a call returned, as a string of its size.
std::string itemText(const void* item, int32_t size)
{
    return item ? std::string(static_cast<const char*>(item), static_cast<size_t>(size)) : std::string();
}

std::string utf8Of(const std::wstring& text)
{
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &out[0], bytes, nullptr, nullptr);
    out.resize(static_cast<size_t>(bytes - 1));
    return out;
}

TEST_F(DragContainerTest, DraggedTextIsOneUtf8Item)
{
    TestDataObject data;
    data.offerText(L"Gr\u00fc\u00dfe \u20ac5");
    {
        auto* container = new WinDragContainer(&data);
        EXPECT_EQ(container->getCount(), 1);
        EXPECT_EQ(container->getType(0), CDragContainer::kText);

        int32_t size = -1;
        int32_t type = -1;
        const void* item = container->first(size, type);
        // "Grüße €5": ü and ß take two bytes each, € three.
        const std::string expected = "Gr\xc3\xbc\xc3\x9f"
                                     "e \xe2\x82\xac"
                                     "5";
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(type, CDragContainer::kUnicodeText);
        EXPECT_EQ(size, 12);
        EXPECT_EQ(itemText(item, size), expected);
        EXPECT_EQ(static_cast<const char*>(item)[size], '\0');

        EXPECT_EQ(container->next(size, type), nullptr);
        EXPECT_EQ(type, CDragContainer::kUnknown);
        EXPECT_EQ(size, 0);

        // first starts over.
        item = container->first(size, type);
        EXPECT_EQ(itemText(item, size), expected);
        container->forget();
    }
    EXPECT_EQ(data.outstandingMedia(), 0);
}

TEST_F(DragContainerTest, TextWithoutTerminatorIsReadToTheEndOfItsMemory)
{
    TestDataObject data;
    data.offerTextUnits({L'a', L'b', L'c'});
    auto* container = new WinDragContainer(&data);
    int32_t size = 0;
    int32_t type = 0;
    const void* item = container->first(size, type);
    EXPECT_EQ(itemText(item, size), "abc");
    container->forget();
    EXPECT_EQ(data.outstandingMedia(), 0);
}

TEST_F(DragContainerTest, TextWithANullHandleGivesNoItem)
{
    TestDataObject data;
    data.offerNullText();
    auto* container = new WinDragContainer(&data);
    EXPECT_EQ(container->getCount(), 1);
    int32_t size = -1;
    int32_t type = -1;
    EXPECT_EQ(container->first(size, type), nullptr);
    EXPECT_EQ(type, CDragContainer::kUnknown);
    container->forget();
    EXPECT_EQ(data.outstandingMedia(), 0);
}

TEST_F(DragContainerTest, TextIsPreferredOverFiles)
{
    TestDataObject data;
    data.offerFiles({L"C:\\a.wav", L"C:\\b.wav"});
    data.offerText(L"words");
    auto* container = new WinDragContainer(&data);
    EXPECT_EQ(container->getCount(), 1);
    EXPECT_EQ(container->getType(0), CDragContainer::kText);
    int32_t size = 0;
    int32_t type = 0;
    const void* item = container->first(size, type);
    EXPECT_EQ(itemText(item, size), "words");
    container->forget();
}

TEST_F(DragContainerTest, ThreeFilesComeInOrderThenNull)
{
    const std::vector<std::wstring> paths = {L"C:\\music\\one.wav", L"D:\\t\u00f8ne.aif", L"\\\\server\\share\\3"};
    TestDataObject data;
    data.offerFiles(paths);
    {
        auto* container = new WinDragContainer(&data);
        EXPECT_EQ(container->getCount(), 3);
        EXPECT_EQ(container->getType(2), CDragContainer::kFile);
        int32_t size = 0;
        int32_t type = -1;
        std::vector<std::string> items;
        for (const void* item = container->first(size, type); item; item = container->next(size, type)) {
            EXPECT_EQ(type, CDragContainer::kFile);
            EXPECT_EQ(static_cast<size_t>(size), std::strlen(static_cast<const char*>(item)));
            items.push_back(itemText(item, size));
        }
        EXPECT_EQ(items,
                  (std::vector<std::string>{"C:\\music\\one.wav", "D:\\t\xc3\xb8ne.aif", "\\\\server\\share\\3"}));
        EXPECT_EQ(type, CDragContainer::kUnknown);
        container->forget();
    }
    EXPECT_EQ(data.outstandingMedia(), 0);
}

TEST_F(DragContainerTest, NeitherFormatGivesNoItems)
{
    TestDataObject data;
    auto* container = new WinDragContainer(&data);
    EXPECT_EQ(container->getCount(), 0);
    EXPECT_EQ(container->getType(0), CDragContainer::kFile);
    int32_t size = -1;
    int32_t type = -1;
    EXPECT_EQ(container->first(size, type), nullptr);
    EXPECT_EQ(type, CDragContainer::kUnknown);
    EXPECT_EQ(size, 0);
    container->forget();
}

TEST_F(DragContainerTest, WithoutDataObjectEverythingIsAnError)
{
    auto* container = new WinDragContainer(nullptr);
    EXPECT_EQ(container->getCount(), 0);
    EXPECT_EQ(container->getType(0), CDragContainer::kError);
    int32_t size = 0;
    int32_t type = 0;
    EXPECT_EQ(container->first(size, type), nullptr);
    EXPECT_EQ(type, CDragContainer::kError);
    EXPECT_EQ(container->next(size, type), nullptr);
    EXPECT_EQ(type, CDragContainer::kError);
    container->forget();
}

// Real shortcut files in a folder whose name has a dot, made with the
// shell's own link object inside a scratch folder of the test's own.
class ShortcutTest : public DragContainerTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr), ERROR_SUCCESS);
        HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
    }

    // A shortcut to the target saved under the given file name.
    std::wstring makeShortcut(const std::wstring& name)
    {
        const std::wstring path = folder + L"\\" + name;
        IShellLinkW* link = nullptr;
        EXPECT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link)),
                  S_OK);
        if (!link)
            return path;
        link->SetPath(target.c_str());
        IPersistFile* file = nullptr;
        EXPECT_EQ(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)), S_OK);
        if (file) {
            EXPECT_EQ(file->Save(path.c_str(), TRUE), S_OK);
            file->Release();
        }
        link->Release();
        return path;
    }

    std::string shortTargetPath() const
    {
        wchar_t shortPath[2048] = {};
        EXPECT_NE(GetShortPathNameW(target.c_str(), shortPath, 2048), 0u);
        return utf8Of(shortPath);
    }

    // The link asks for the target's short path. Wine's link object ignores
    // that request and gives the long one; either names the target.
    void expectTarget(const std::string& item) const
    {
        const std::string shortPath = shortTargetPath();
        EXPECT_TRUE(item == shortPath || item == utf8Of(target))
            << item << " is neither " << shortPath << " nor " << utf8Of(target);
    }

    // The one item the container makes of a dropped path.
    static std::string droppedItem(const std::wstring& path)
    {
        TestDataObject data;
        data.offerFiles({path});
        auto* container = new WinDragContainer(&data);
        int32_t size = 0;
        int32_t type = -1;
        const void* item = container->first(size, type);
        std::string text = itemText(item, size);
        EXPECT_EQ(type, CDragContainer::kFile);
        container->forget();
        EXPECT_EQ(data.outstandingMedia(), 0);
        return text;
    }

    ScratchFolder scratch{std::filesystem::temp_directory_path(), "vest-drop"};
    const std::wstring folder = scratch.widePath(L"j.doe");
    const std::wstring target = folder + L"\\Target Song Take.wav";
};

TEST_F(ShortcutTest, ShortcutsResolveToTheirTargetsShortPath)
{
    const std::wstring names[] = {L"song.lnk", L"LOUD.LNK", L"live.take.lnk"};
    for (const std::wstring& name : names) {
        SCOPED_TRACE(utf8Of(name));
        expectTarget(droppedItem(makeShortcut(name)));
    }
}

TEST_F(ShortcutTest, OtherNamesStayAsDropped)
{
    // The same shortcut data under names that are not shortcuts.
    const std::wstring shortcut = makeShortcut(L"song.lnk");
    const std::wstring copies[] = {folder + L"\\song.lnk.txt", folder + L"\\song.lnkx"};
    for (const std::wstring& copy : copies) {
        ASSERT_TRUE(CopyFileW(shortcut.c_str(), copy.c_str(), FALSE));
        EXPECT_EQ(droppedItem(copy), utf8Of(copy));
    }
}

TEST_F(ShortcutTest, AShortcutThatCannotBeReadStaysAsDropped)
{
    const std::wstring broken = folder + L"\\broken.lnk";
    HANDLE file = CreateFileW(broken.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "not a link", 10, &written, nullptr);
    CloseHandle(file);
    EXPECT_EQ(droppedItem(broken), utf8Of(broken));
}

} // namespace
} // namespace test
} // namespace VSTGUI
