#pragma once

// A data object of the tests' own, standing in for what a drag source hands
// OLE: UTF-16 text, a file list, both or neither. Every medium it gives out
// carries a release object, so a test can see that each one came back.

#include <windows.h>

#include <objidl.h>

#include <string>
#include <vector>

namespace VSTGUI {
namespace test {

class TestDataObject : public IDataObject {
public:
    TestDataObject() = default;
    virtual ~TestDataObject() = default;
    TestDataObject(const TestDataObject&) = delete;
    TestDataObject& operator=(const TestDataObject&) = delete;

    // The text with its terminator.
    void offerText(const std::wstring& text);
    // Raw UTF-16 units exactly as given: no terminator is added.
    void offerTextUnits(const std::vector<wchar_t>& units);
    // The text format with a null memory handle.
    void offerNullText() { textIsNull = true; }
    void offerFiles(const std::vector<std::wstring>& paths);

    // Media given out and not yet released.
    int outstandingMedia() const { return outstanding; }
    int getDataCalls() const { return dataCalls; }

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
    STDMETHODIMP_(ULONG) Release() override { return --references; }
    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* format) override;
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override;
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    bool offers(const FORMATETC* format) const;
    HGLOBAL copyOf(const std::vector<char>& bytes) const;

    std::vector<char> textBytes;
    bool hasText = false;
    bool textIsNull = false;
    std::vector<char> fileListBytes;
    bool hasFiles = false;
    int outstanding = 0;
    int dataCalls = 0;
    ULONG references = 1;
};

} // namespace test
} // namespace VSTGUI
