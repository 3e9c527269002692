#include "win_drag_container.h"

#include "drop_rules.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

namespace VSTGUI {

namespace {

// Room for one path, in UTF-16 units; longer paths are cut to it.
constexpr UINT kPathCapacity = 2048;
// Resolving a shortcut shows no window and searches for a moved target for
// at most 500 ms (the time-out sits in the high word).
constexpr DWORD kResolveFlags = DWORD{SLR_NO_UI} | DWORD{SLR_ANY_MATCH} | (500u << 16);

FORMATETC formatOf(CLIPFORMAT format)
{
    return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

// The medium of one format, released when it goes.
class DataOfFormat {
public:
    DataOfFormat(IDataObject* dataObject, CLIPFORMAT format)
    {
        FORMATETC wanted = formatOf(format);
        delivered = dataObject && SUCCEEDED(dataObject->GetData(&wanted, &medium));
    }
    ~DataOfFormat()
    {
        if (delivered)
            ReleaseStgMedium(&medium);
    }
    DataOfFormat(const DataOfFormat&) = delete;
    DataOfFormat& operator=(const DataOfFormat&) = delete;

    bool isDelivered() const { return delivered; }
    HGLOBAL memory() const { return delivered ? medium.hGlobal : nullptr; }

private:
    STGMEDIUM medium = {};
    bool delivered = false;
};

// Replaces the path of a shortcut file by the short path of its target;
// leaves it as it is when any step fails.
void resolveShortcut(wchar_t (&path)[kPathCapacity])
{
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t target[kPathCapacity] = {};
        WIN32_FIND_DATAW findData = {};
        if (SUCCEEDED(file->Load(path, STGM_READ)) && SUCCEEDED(link->Resolve(nullptr, kResolveFlags))
            && link->GetPath(target, kPathCapacity, &findData, SLGP_SHORTPATH) == S_OK && target[0] != 0)
            lstrcpynW(path, target, kPathCapacity);
        file->Release();
    }
    link->Release();
}

} // namespace

WinDragContainer::WinDragContainer(IDataObject* dataObject) : dataObject(dataObject)
{
    if (!dataObject)
        return;
    if (DataOfFormat(dataObject, CF_UNICODETEXT).isDelivered()) {
        itemCount = 1;
        return;
    }
    DataOfFormat files(dataObject, CF_HDROP);
    if (files.memory())
        itemCount = static_cast<int32_t>(DragQueryFileW(static_cast<HDROP>(files.memory()), 0xFFFFFFFF, nullptr, 0));
}

WinDragContainer::~WinDragContainer() = default;

int32_t WinDragContainer::getType(int32_t) const
{
    if (!dataObject)
        return kError;
    return DataOfFormat(dataObject, CF_UNICODETEXT).isDelivered() ? kText : kFile;
}

void* WinDragContainer::first(int32_t& size, int32_t& type)
{
    iterator = 0;
    return next(size, type);
}

void* WinDragContainer::next(int32_t& size, int32_t& type)
{
    if (!dataObject) {
        type = kError;
        return nullptr;
    }
    lastItem.clear();
    size = 0;
    type = kUnknown;

    DataOfFormat text(dataObject, CF_UNICODETEXT);
    if (text.isDelivered())
        return nextText(text.memory(), size, type);
    DataOfFormat files(dataObject, CF_HDROP);
    if (files.memory())
        return nextFile(static_cast<HDROP>(files.memory()), size, type);
    return nullptr;
}

void* WinDragContainer::nextText(HGLOBAL memory, int32_t& size, int32_t& type)
{
    if (!memory)
        return nullptr;
    // Text is a single item.
    if (iterator++ != 0)
        return nullptr;
    void* item = nullptr;
    const SIZE_T bytes = GlobalSize(memory);
    if (const auto* text = static_cast<const wchar_t*>(GlobalLock(memory))) {
        // A source's text without its terminator is read only up to the end
        // of its memory.
        if (bytes != 0) {
            item = keepAsLastItem(text, bytes / sizeof(wchar_t), size);
            type = kUnicodeText;
        }
        GlobalUnlock(memory);
    }
    return item;
}

void* WinDragContainer::nextFile(HDROP files, int32_t& size, int32_t& type)
{
    const UINT index = static_cast<UINT>(iterator++);
    wchar_t path[kPathCapacity] = {};
    if (DragQueryFileW(files, index, path, kPathCapacity) == 0)
        return nullptr;
    if (isShortcutPath(path))
        resolveShortcut(path);
    void* item = keepAsLastItem(path, kPathCapacity, size);
    type = kFile;
    return item;
}

void* WinDragContainer::keepAsLastItem(const wchar_t* text, size_t maxLength, int32_t& size)
{
    size_t length = 0;
    while (length < maxLength && text[length] != 0)
        ++length;
    lastItem.clear();
    if (length > 0) {
        const int wideLength = static_cast<int>(length);
        const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, wideLength, nullptr, 0, nullptr, nullptr);
        if (bytes > 0) {
            lastItem.resize(static_cast<size_t>(bytes));
            // A conversion that fails gives the empty string.
            if (WideCharToMultiByte(CP_UTF8, 0, text, wideLength, &lastItem[0], bytes, nullptr, nullptr) != bytes)
                lastItem.clear();
        }
    }
    size = static_cast<int32_t>(lastItem.size());
    return &lastItem[0];
}

} // namespace VSTGUI
