#include "gui/ole_initialization.h"

#include "apartment_probe.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <ole2.h>

#include <thread>

namespace VSTGUI {
namespace {

using test::probeApartment;

template <class Body> void onNewThread(Body body)
{
    std::thread thread(body);
    thread.join();
}

TEST(OleInitializationTests, StartsAndLeavesOleOnAFreshThread)
{
    onNewThread([] {
        {
            OleInitialization ole;
            EXPECT_TRUE(ole.holdsInitialization());
            EXPECT_EQ(probeApartment(), RPC_E_CHANGED_MODE);
        }
        EXPECT_EQ(probeApartment(), S_OK);
    });
}

TEST(OleInitializationTests, NestedGuardsEachLeaveOnce)
{
    onNewThread([] {
        {
            OleInitialization outer;
            {
                OleInitialization inner;
                EXPECT_TRUE(inner.holdsInitialization());
            }
            EXPECT_EQ(probeApartment(), RPC_E_CHANGED_MODE);
        }
        EXPECT_EQ(probeApartment(), S_OK);
    });
}

TEST(OleInitializationTests, LeavesTheHostsMultithreadedApartmentAlone)
{
    onNewThread([] {
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        {
            OleInitialization ole;
            EXPECT_FALSE(ole.holdsInitialization());
        }
        EXPECT_EQ(probeApartment(), S_FALSE);
        CoUninitialize();
        EXPECT_EQ(probeApartment(), S_OK);
    });
}

TEST(OleInitializationTests, AGuardEndedOnAnotherThreadLeavesThatThreadsOleAlone)
{
    OleInitialization* guard = nullptr;
    onNewThread([&] { guard = new OleInitialization(); });
    onNewThread([&] {
        ASSERT_EQ(OleInitialize(nullptr), S_OK);
        delete guard;
        // The thread's own start still holds.
        EXPECT_EQ(probeApartment(), RPC_E_CHANGED_MODE);
        OleUninitialize();
        EXPECT_EQ(probeApartment(), S_OK);
    });
}

} // namespace
} // namespace VSTGUI
