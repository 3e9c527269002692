#include "gui/drop_target.h"

#include "gui/frame.h"
#include "gui/win_drag_container.h"

#include "frame_test_support.h"
#include "module_handle.h"
#include "test_data_object.h"

#include <gtest/gtest.h>

#include <ole2.h>

namespace VSTGUI {
namespace test {
namespace {

// OLE's own drag loop cannot be driven under Wine without real input, so the
// tests call the drop target through its interface, as OLE would, with a
// data object of their own.
//
// A frame in a host window with one recording view filling it; the cursor
// rests over the view, so every drag operation finds it there.
class DropTargetTest : public testing::Test {
protected:
    DropTargetTest() : host(300, 200)
    {
        hInstance = GetModuleHandleW(nullptr);
        frame = new TestFrame(CRect(0, 0, 300, 200), host.handle(), nullptr);
        view = new RecordingView(CRect(0, 0, 300, 200));
        frame->addView(view);
        RECT r = {};
        GetWindowRect(static_cast<HWND>(frame->getSystemWindow()), &r);
        SetCursorPos(r.left + 70, r.top + 80);
        pumpMessages();
        view->calls.clear();
    }
    ~DropTargetTest() override
    {
        if (frame)
            frame->forget();
        pumpMessages();
        EXPECT_EQ(getCurrentDragContainer(), nullptr);
        EXPECT_EQ(CBaseObject::getLiveObjectCount(), liveObjects);
        EXPECT_EQ(CDropTarget::getLiveCount(), liveDropTargets);
        EXPECT_EQ(data.outstandingMedia(), 0);
    }

    IDropTarget* target() const { return frame->dropTargetOf(); }

    const int32_t liveObjects = CBaseObject::getLiveObjectCount();
    const int32_t liveDropTargets = CDropTarget::getLiveCount();
    HostWindow host;
    TestFrame* frame;
    RecordingView* view;
    TestDataObject data;
    const POINTL anywhere = {0, 0};
};

TEST_F(DropTargetTest, AnswersForItsTwoInterfacesOnly)
{
    IDropTarget* dropTarget = target();
    ASSERT_NE(dropTarget, nullptr);
    void* answer = nullptr;
    ASSERT_EQ(dropTarget->QueryInterface(IID_IDropTarget, &answer), S_OK);
    EXPECT_EQ(answer, dropTarget);
    static_cast<IUnknown*>(answer)->Release();
    ASSERT_EQ(dropTarget->QueryInterface(IID_IUnknown, &answer), S_OK);
    EXPECT_EQ(answer, static_cast<IUnknown*>(dropTarget));
    static_cast<IUnknown*>(answer)->Release();

    for (REFIID other : {IID_IDataObject, IID_IDropSource, IID_IStream}) {
        answer = dropTarget;
        EXPECT_EQ(dropTarget->QueryInterface(other, &answer), E_NOINTERFACE);
        EXPECT_EQ(answer, nullptr);
    }
}

TEST_F(DropTargetTest, ReferenceCountCountsAndTheLastReleaseDestroys)
{
    const int32_t before = CDropTarget::getLiveCount();
    auto* own = new CDropTarget(nullptr);
    EXPECT_EQ(CDropTarget::getLiveCount(), before + 1);
    EXPECT_EQ(own->AddRef(), 1u);
    EXPECT_EQ(own->AddRef(), 2u);
    EXPECT_EQ(own->Release(), 1u);
    EXPECT_EQ(own->Release(), 0u);
    EXPECT_EQ(CDropTarget::getLiveCount(), before);
}

TEST_F(DropTargetTest, ADropGoesToTheViewUnderTheMouse)
{
    data.offerFiles({L"C:\\a.wav", L"C:\\b.wav", L"C:\\c.wav"});
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(target()->DragEnter(&data, MK_LBUTTON, anywhere, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    ASSERT_NE(getCurrentDragContainer(), nullptr);
    EXPECT_EQ(getCurrentDragContainer()->getCount(), 3);

    effect = DROPEFFECT_MOVE | DROPEFFECT_LINK;
    EXPECT_EQ(target()->DragOver(MK_LBUTTON, anywhere, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));

    // Drop leaves the effect word alone.
    effect = DROPEFFECT_LINK | DROPEFFECT_COPY;
    EXPECT_EQ(target()->Drop(&data, 0, anywhere, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_LINK | DROPEFFECT_COPY));
    EXPECT_EQ(view->names(), (std::vector<std::string>{"dragEnter", "dragMove", "drop", "dragLeave"}));
    EXPECT_EQ(view->dragItemCounts, (std::vector<int32_t>{3, 3, 3, 3}));
    // The cursor's place in the frame, not OLE's point.
    EXPECT_EQ(view->last("drop").where, CPoint(70, 80));
    EXPECT_EQ(getCurrentDragContainer(), nullptr);
}

TEST_F(DropTargetTest, ADragThatLeavesEndsItsContainer)
{
    data.offerText(L"words");
    DWORD effect = DROPEFFECT_LINK;
    target()->DragEnter(&data, 0, anywhere, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_LINK));
    EXPECT_EQ(target()->DragLeave(), S_OK);
    EXPECT_EQ(view->names(), (std::vector<std::string>{"dragEnter", "dragLeave"}));
    EXPECT_EQ(getCurrentDragContainer(), nullptr);
}

TEST_F(DropTargetTest, ASecondEnterWithoutLeaveReplacesTheContainer)
{
    data.offerText(L"words");
    DWORD effect = DROPEFFECT_COPY;
    target()->DragEnter(&data, 0, anywhere, &effect);
    TestDataObject files;
    files.offerFiles({L"C:\\a.wav", L"C:\\b.wav"});
    target()->DragEnter(&files, 0, anywhere, &effect);
    ASSERT_NE(getCurrentDragContainer(), nullptr);
    EXPECT_EQ(getCurrentDragContainer()->getCount(), 2);
    target()->Drop(&files, 0, anywhere, &effect);
    // The fixture's end finds no container of either drag left.
    EXPECT_EQ(getCurrentDragContainer(), nullptr);
}

TEST_F(DropTargetTest, ASourceThatAllowsNothingKeepsItsWord)
{
    data.offerText(L"words");
    DWORD effect = DROPEFFECT_NONE;
    target()->DragEnter(&data, 0, anywhere, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    effect = DROPEFFECT_SCROLL;
    target()->DragOver(0, anywhere, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_SCROLL));
    target()->DragLeave();
}

TEST_F(DropTargetTest, DragEnterWithoutDataRefusesAndMakesNoContainer)
{
    DWORD effect = DROPEFFECT_COPY;
    EXPECT_EQ(target()->DragEnter(nullptr, 0, anywhere, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(getCurrentDragContainer(), nullptr);
    EXPECT_TRUE(view->calls.empty());
}

TEST_F(DropTargetTest, WithoutDragEnterTheOtherOperationsDoNothing)
{
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(target()->DragOver(0, anywhere, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY | DROPEFFECT_MOVE));
    EXPECT_EQ(target()->Drop(&data, 0, anywhere, &effect), S_OK);
    EXPECT_EQ(target()->DragLeave(), S_OK);
    EXPECT_TRUE(view->calls.empty());
    EXPECT_EQ(data.getDataCalls(), 0);
}

TEST_F(DropTargetTest, ActivatingAgainReplacesTheTargetWithoutLeaking)
{
    ASSERT_TRUE(frame->isDropActive());
    EXPECT_EQ(CDropTarget::getLiveCount(), liveDropTargets + 1);
    EXPECT_TRUE(frame->setDropActive(true));
    EXPECT_NE(target(), nullptr);
    EXPECT_EQ(CDropTarget::getLiveCount(), liveDropTargets + 1);

    // Revoked, the target is gone, whatever references OLE took meanwhile.
    EXPECT_TRUE(frame->setDropActive(false));
    EXPECT_FALSE(frame->isDropActive());
    EXPECT_EQ(target(), nullptr);
    EXPECT_EQ(CDropTarget::getLiveCount(), liveDropTargets);
    EXPECT_TRUE(frame->setDropActive(false));
}

TEST_F(DropTargetTest, AFrameDestroyedDuringADragIsNotReachedAfterwards)
{
    data.offerText(L"words");
    IDropTarget* dropTarget = target();
    // OLE holds the target for as long as the drag goes on.
    dropTarget->AddRef();
    DWORD effect = DROPEFFECT_COPY;
    dropTarget->DragEnter(&data, 0, anywhere, &effect);
    ASSERT_NE(getCurrentDragContainer(), nullptr);

    frame->forget();
    frame = nullptr;
    // The drag's container went with the frame.
    EXPECT_EQ(getCurrentDragContainer(), nullptr);
    EXPECT_EQ(dropTarget->DragOver(0, anywhere, &effect), S_OK);
    EXPECT_EQ(dropTarget->Drop(&data, 0, anywhere, &effect), S_OK);
    EXPECT_EQ(dropTarget->DragEnter(&data, 0, anywhere, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(getCurrentDragContainer(), nullptr);
    dropTarget->Release();
}

} // namespace
} // namespace test
} // namespace VSTGUI
