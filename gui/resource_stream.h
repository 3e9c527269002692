#pragma once

#include <windows.h>

#include <objidl.h>

namespace VSTGUI {

// A read-only COM stream over a resource's bytes, for GDI+ to decode an image
// straight from the module's locked resource memory. It does not own the
// bytes. Refused reads and seeks still fill in their results (nothing read,
// position unchanged), since callers may take S_FALSE for success.
// [GUI thread], where bitmaps are made.
class ResourceStream final : public IStream {
public:
    // The stream starts with one reference; drop it with Release.
    ResourceStream(const void* data, ULONG size);
    ResourceStream(const ResourceStream&) = delete;
    ResourceStream& operator=(const ResourceStream&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // All or nothing: a read past the end reads no byte.
    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG length, ULONG* bytesRead) override;
    HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override;
    // Only positions inside the data: seeking to the very end is refused, and
    // so is every seek from the end.
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER offset, DWORD origin, ULARGE_INTEGER* newPosition) override;
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override;
    HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override;
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override;
    HRESULT STDMETHODCALLTYPE Revert() override;
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override;
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override;
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD) override;
    HRESULT STDMETHODCALLTYPE Clone(IStream**) override;

private:
    ~ResourceStream() = default;

    const BYTE* data;
    ULONG position = 0;
    ULONG size;
    LONG referenceCount = 1;
};

} // namespace VSTGUI
