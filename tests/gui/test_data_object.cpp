#include "test_data_object.h"

#include <shlobj.h>

#include <cstring>

namespace VSTGUI {
namespace test {

namespace {

// Frees its medium's memory when the receiver releases the medium.
class MediumRelease : public IUnknown {
public:
    MediumRelease(HGLOBAL memory, int& outstanding) : memory(memory), outstanding(outstanding) { ++outstanding; }
    virtual ~MediumRelease() = default;

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (!IsEqualIID(iid, IID_IUnknown)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = this;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
    STDMETHODIMP_(ULONG) Release() override
    {
        if (--references > 0)
            return references;
        if (memory)
            GlobalFree(memory);
        --outstanding;
        delete this;
        return 0;
    }

private:
    HGLOBAL memory;
    int& outstanding;
    ULONG references = 1;
};

template <class Unit> void append(std::vector<char>& bytes, const Unit* units, size_t count)
{
    const auto* first = reinterpret_cast<const char*>(units);
    bytes.insert(bytes.end(), first, first + count * sizeof(Unit));
}

} // namespace

void TestDataObject::offerText(const std::wstring& text)
{
    textBytes.clear();
    append(textBytes, text.c_str(), text.size() + 1);
    hasText = true;
}

void TestDataObject::offerTextUnits(const std::vector<wchar_t>& units)
{
    textBytes.clear();
    append(textBytes, units.data(), units.size());
    hasText = true;
}

void TestDataObject::offerFiles(const std::vector<std::wstring>& paths)
{
    DROPFILES header = {};
    header.pFiles = sizeof(DROPFILES);
    header.fWide = TRUE;
    fileListBytes.clear();
    append(fileListBytes, &header, 1);
    for (const std::wstring& path : paths)
        append(fileListBytes, path.c_str(), path.size() + 1);
    const wchar_t end = 0;
    append(fileListBytes, &end, 1);
    hasFiles = true;
}

STDMETHODIMP TestDataObject::QueryInterface(REFIID iid, void** object)
{
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
        *object = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

bool TestDataObject::offers(const FORMATETC* format) const
{
    if (!format || !(format->tymed & TYMED_HGLOBAL) || format->dwAspect != DVASPECT_CONTENT)
        return false;
    if (format->cfFormat == CF_UNICODETEXT)
        return hasText || textIsNull;
    if (format->cfFormat == CF_HDROP)
        return hasFiles;
    return false;
}

HGLOBAL TestDataObject::copyOf(const std::vector<char>& bytes) const
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
    GlobalUnlock(memory);
    return memory;
}

STDMETHODIMP TestDataObject::GetData(FORMATETC* format, STGMEDIUM* medium)
{
    if (!offers(format))
        return DV_E_FORMATETC;
    ++dataCalls;
    HGLOBAL memory = nullptr;
    if (format->cfFormat == CF_UNICODETEXT)
        memory = textIsNull ? nullptr : copyOf(textBytes);
    else
        memory = copyOf(fileListBytes);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory;
    medium->pUnkForRelease = new MediumRelease(memory, outstanding);
    return S_OK;
}

STDMETHODIMP TestDataObject::QueryGetData(FORMATETC* format)
{
    return offers(format) ? S_OK : DV_E_FORMATETC;
}

STDMETHODIMP TestDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out)
{
    if (out)
        out->ptd = nullptr;
    return E_NOTIMPL;
}

} // namespace test
} // namespace VSTGUI
