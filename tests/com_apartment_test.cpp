// COM on the GUI thread: joined for the owner's life, and the thread left as it was found.

#include "platform/Com.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include <thread>

TEST(ComApartment, JoinsASingleThreadedApartmentForItsLifeAndLeavesTheThreadAsItFoundIt) {
    // A thread of its own, so that no other test's apartment is touched.
    std::thread([] {
        {
            const platform::ComApartment com;
            EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE)
                << "the thread is in a single-threaded apartment";
        }
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK) << "and has left it";
        {
            // Refused, since the thread is in the multithreaded apartment: nothing to undo.
            const platform::ComApartment refused;
        }
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE)
            << "still in the multithreaded apartment";
        CoUninitialize();
        CoUninitialize();
    }).join();
}
