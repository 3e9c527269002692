#include "resource_stream.h"

#include <cstring>

namespace VSTGUI {

ResourceStream::ResourceStream(const void* data, ULONG size) : data(static_cast<const BYTE*>(data)), size(size) {}

HRESULT ResourceStream::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IStream || iid == IID_ISequentialStream) {
        *object = static_cast<IStream*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG ResourceStream::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&referenceCount));
}

ULONG ResourceStream::Release()
{
    const LONG count = InterlockedDecrement(&referenceCount);
    if (count == 0)
        delete this;
    return static_cast<ULONG>(count);
}

HRESULT ResourceStream::Read(void* buffer, ULONG length, ULONG* bytesRead)
{
    // position never exceeds size, so the remaining count cannot wrap.
    if (length > size - position) {
        if (bytesRead)
            *bytesRead = 0;
        return S_FALSE;
    }
    std::memcpy(buffer, data + position, length);
    position += length;
    if (bytesRead)
        *bytesRead = length;
    return S_OK;
}

HRESULT ResourceStream::Seek(LARGE_INTEGER offset, DWORD origin, ULARGE_INTEGER* newPosition)
{
    HRESULT result = S_OK;
    const LONGLONG base = origin == STREAM_SEEK_CUR ? static_cast<LONGLONG>(position) : 0;
    switch (origin) {
    case STREAM_SEEK_SET:
    case STREAM_SEEK_CUR:
        // Compared without forming base + offset, which could overflow.
        if (offset.QuadPart < -base || offset.QuadPart >= static_cast<LONGLONG>(size) - base)
            result = S_FALSE;
        else
            position = static_cast<ULONG>(base + offset.QuadPart);
        break;
    case STREAM_SEEK_END:
        result = S_FALSE;
        break;
    default:
        result = STG_E_INVALIDFUNCTION;
        break;
    }
    if (newPosition)
        newPosition->QuadPart = position;
    return result;
}

HRESULT ResourceStream::Revert()
{
    position = 0;
    return S_OK;
}

HRESULT ResourceStream::Stat(STATSTG* stat, DWORD)
{
    if (!stat)
        return STG_E_INVALIDPOINTER;
    std::memset(stat, 0, sizeof(*stat));
    stat->cbSize.QuadPart = size;
    return S_OK;
}

HRESULT ResourceStream::Write(const void*, ULONG, ULONG*)
{
    return E_NOTIMPL;
}

HRESULT ResourceStream::SetSize(ULARGE_INTEGER)
{
    return E_NOTIMPL;
}

HRESULT ResourceStream::CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*)
{
    return E_NOTIMPL;
}

HRESULT ResourceStream::Commit(DWORD)
{
    return E_NOTIMPL;
}

HRESULT ResourceStream::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return E_NOTIMPL;
}

HRESULT ResourceStream::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return E_NOTIMPL;
}

HRESULT ResourceStream::Clone(IStream**)
{
    return E_NOTIMPL;
}

} // namespace VSTGUI
