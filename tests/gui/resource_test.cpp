#include "gui/bitmap.h"
#include "gui/resource_stream.h"

#include "gdiplus_test_support.h"
#include "module_handle.h"

#include <gtest/gtest.h>

#include <cstring>

namespace VSTGUI {
namespace test {
namespace {

// The resources are linked into this test executable (test_resources.rc).
class ResourceTest : public GdiPlusTest {
protected:
    ResourceTest() { hInstance = GetModuleHandle(nullptr); }
};

TEST_F(ResourceTest, LoadsDataResourcesByIdOrName)
{
    struct Case {
        const char* what;
        CResourceDescription description;
        CCoord width;
        CCoord height;
    } const cases[] = {
        {"id 1", CResourceDescription(1), 3, 2},
        {"only the low 16 bits of the id count", CResourceDescription(65536 + 1), 3, 2},
        {"name", CResourceDescription("TINY_PNG"), 3, 2},
        {"platform bitmap resource as the fallback", CResourceDescription(7), 4, 5},
        {"no such resource", CResourceDescription(99), 0, 0},
        {"no such name", CResourceDescription("NO_SUCH_IMAGE"), 0, 0},
        {"not an image", CResourceDescription(2), 0, 0},
        {"no name at all", CResourceDescription(), 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto* bitmap = new CBitmap(c.description);
        EXPECT_EQ(bitmap->getWidth(), c.width);
        EXPECT_EQ(bitmap->getHeight(), c.height);
        EXPECT_FALSE(bitmap->getNoAlpha());
        // Even a failed load leaves an image record behind.
        EXPECT_TRUE(bitmap->isLoaded());
        bitmap->forget();
    }
}

TEST_F(ResourceTest, DecodesThePixelsOfTheResource)
{
    auto* bitmap = new CBitmap(CResourceDescription(1));
    CRect rect(0, 0, 3, 2);
    Surface target(3, 2);
    bitmap->draw(&target, rect, CPoint(0, 0));
    EXPECT_EQ(target.pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(target.pixel(1, 0), 0xFF00FF00u);
    EXPECT_EQ(target.pixel(2, 0), 0xFF0000FFu);
    EXPECT_EQ(target.pixel(1, 1), 0xFF000000u);
    EXPECT_EQ(alphaOf(target.pixel(2, 1)), 127);
    bitmap->forget();
}

TEST_F(ResourceTest, LoadingAgainReplacesTheImage)
{
    auto* bitmap = new CBitmap(CResourceDescription(7));
    ASSERT_EQ(bitmap->getWidth(), 4);
    EXPECT_TRUE(bitmap->loadFromResource(CResourceDescription(1)));
    EXPECT_EQ(bitmap->getWidth(), 3);
    EXPECT_TRUE(bitmap->loadFromResource(CResourceDescription(99)));
    EXPECT_EQ(bitmap->getWidth(), 0);
    bitmap->forget();
}

// Eight bytes 0 … 7, positioned at 3 by each test that needs a middle.
class ResourceStreamTest : public testing::Test {
protected:
    ResourceStreamTest() : stream(new ResourceStream(bytes, sizeof(bytes))) {}
    ~ResourceStreamTest() override { stream->Release(); }

    ULONGLONG seek(LONGLONG offset, DWORD origin, HRESULT expected)
    {
        LARGE_INTEGER move;
        move.QuadPart = offset;
        ULARGE_INTEGER position;
        position.QuadPart = 0xDEADBEEF; // a refusal must not leave this
        EXPECT_EQ(stream->Seek(move, origin, &position), expected);
        return position.QuadPart;
    }

    const BYTE bytes[8] = {0, 1, 2, 3, 4, 5, 6, 7};
    ResourceStream* stream;
};

TEST_F(ResourceStreamTest, ReadsAllOrNothing)
{
    BYTE buffer[8] = {};
    ULONG read = 99;
    EXPECT_EQ(stream->Read(buffer, 3, &read), S_OK);
    EXPECT_EQ(read, 3u);
    EXPECT_EQ(buffer[2], 2);

    // The remaining five bytes exactly: the position ends at the size.
    std::memset(buffer, 0xEE, sizeof(buffer));
    EXPECT_EQ(stream->Read(buffer, 5, &read), S_OK);
    EXPECT_EQ(read, 5u);
    EXPECT_EQ(buffer[0], 3);
    EXPECT_EQ(buffer[4], 7);
    EXPECT_EQ(seek(0, STREAM_SEEK_CUR, S_FALSE), 8u);

    stream->Revert();
    seek(3, STREAM_SEEK_SET, S_OK);
    // One byte more than remains: refused, nothing read, nothing moved.
    std::memset(buffer, 0xEE, sizeof(buffer));
    read = 99;
    EXPECT_EQ(stream->Read(buffer, 6, &read), S_FALSE);
    EXPECT_EQ(read, 0u);
    EXPECT_EQ(buffer[0], 0xEE);
    EXPECT_EQ(seek(0, STREAM_SEEK_CUR, S_OK), 3u);

    // A length that would wrap the position round is refused too.
    EXPECT_EQ(stream->Read(buffer, 0xFFFFFFFF, &read), S_FALSE);
    EXPECT_EQ(stream->Read(buffer, 0, nullptr), S_OK);
}

TEST_F(ResourceStreamTest, SeeksOnlyInsideTheData)
{
    struct Case {
        const char* what;
        LONGLONG offset;
        DWORD origin;
        HRESULT result;
        ULONGLONG position; // afterwards, from a start at 3
    } const cases[] = {
        {"set to the start", 0, STREAM_SEEK_SET, S_OK, 0},
        {"set to the last byte", 7, STREAM_SEEK_SET, S_OK, 7},
        {"set to the end", 8, STREAM_SEEK_SET, S_FALSE, 3},
        {"set before the start", -1, STREAM_SEEK_SET, S_FALSE, 3},
        {"set far out", 1LL << 40, STREAM_SEEK_SET, S_FALSE, 3},
        {"forward", 2, STREAM_SEEK_CUR, S_OK, 5},
        {"back to the start", -3, STREAM_SEEK_CUR, S_OK, 0},
        {"back before the start", -4, STREAM_SEEK_CUR, S_FALSE, 3},
        {"forward to the end", 5, STREAM_SEEK_CUR, S_FALSE, 3},
        {"forward to the 64-bit limit", LLONG_MAX, STREAM_SEEK_CUR, S_FALSE, 3},
        {"back to the 64-bit limit", LLONG_MIN, STREAM_SEEK_CUR, S_FALSE, 3},
        {"from the end", -1, STREAM_SEEK_END, S_FALSE, 3},
        {"unknown origin", 0, 7, STG_E_INVALIDFUNCTION, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        seek(3, STREAM_SEEK_SET, S_OK);
        EXPECT_EQ(seek(c.offset, c.origin, c.result), c.position);
        EXPECT_EQ(seek(0, STREAM_SEEK_CUR, S_OK), c.position);
    }
    LARGE_INTEGER none = {};
    EXPECT_EQ(stream->Seek(none, STREAM_SEEK_SET, nullptr), S_OK);
}

TEST_F(ResourceStreamTest, RevertRewinds)
{
    seek(5, STREAM_SEEK_SET, S_OK);
    EXPECT_EQ(stream->Revert(), S_OK);
    EXPECT_EQ(seek(0, STREAM_SEEK_CUR, S_OK), 0u);
}

TEST_F(ResourceStreamTest, StatReportsOnlyTheSize)
{
    STATSTG stat;
    std::memset(&stat, 0xAB, sizeof(stat));
    EXPECT_EQ(stream->Stat(&stat, STATFLAG_NONAME), S_OK);
    EXPECT_EQ(stat.cbSize.QuadPart, 8u);
    EXPECT_EQ(stat.pwcsName, nullptr);
    EXPECT_EQ(stat.type, 0u);
    EXPECT_EQ(stat.grfMode, 0u);
}

TEST_F(ResourceStreamTest, AnswersForItsThreeInterfacesOnly)
{
    for (const IID* iid : {&IID_IUnknown, &IID_IStream, &IID_ISequentialStream}) {
        void* object = nullptr;
        EXPECT_EQ(stream->QueryInterface(*iid, &object), S_OK);
        EXPECT_EQ(object, static_cast<IStream*>(stream));
        EXPECT_EQ(stream->Release(), 1u); // the reference the query added
    }
    void* object = stream;
    EXPECT_EQ(stream->QueryInterface(IID_IStorage, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(stream->QueryInterface(IID_IStream, nullptr), E_POINTER);
}

TEST_F(ResourceStreamTest, CountsReferences)
{
    EXPECT_EQ(stream->AddRef(), 2u);
    EXPECT_EQ(stream->AddRef(), 3u);
    EXPECT_EQ(stream->Release(), 2u);
    EXPECT_EQ(stream->Release(), 1u);
}

TEST_F(ResourceStreamTest, IsReadOnly)
{
    ULONG written = 0;
    ULARGE_INTEGER size = {};
    IStream* clone = nullptr;
    EXPECT_EQ(stream->Write(bytes, 1, &written), E_NOTIMPL);
    EXPECT_EQ(stream->SetSize(size), E_NOTIMPL);
    EXPECT_EQ(stream->CopyTo(nullptr, size, nullptr, nullptr), E_NOTIMPL);
    EXPECT_EQ(stream->Commit(0), E_NOTIMPL);
    EXPECT_EQ(stream->LockRegion(size, size, 0), E_NOTIMPL);
    EXPECT_EQ(stream->UnlockRegion(size, size, 0), E_NOTIMPL);
    EXPECT_EQ(stream->Clone(&clone), E_NOTIMPL);
    EXPECT_EQ(seek(0, STREAM_SEEK_CUR, S_OK), 0u);
}

} // namespace
} // namespace test
} // namespace VSTGUI
