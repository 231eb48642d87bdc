// Leaving the web-page label over a hung window of another program must not hang the program.

#include "support/MainWindowFixture.h"

#include <atomic>
#include <thread>

namespace {

// A topmost window on a thread of its own that never looks at its messages, as a hung
// program's would, until it is released or its patience runs out.
class HungWindow {
public:
    static constexpr DWORD kPatienceMs = 15000;

    explicit HungWindow(POINT centre) : centre_(centre) {
        thread_ = std::thread([this] { Live(); });
        WaitForSingleObject(ready_, 10000);
    }
    ~HungWindow() {
        SetEvent(release_);
        thread_.join();
        CloseHandle(ready_);
        CloseHandle(release_);
    }
    HWND Handle() const { return window_; }
    // Whether it had to answer its messages before it was released: someone waited on it.
    bool GaveUp() const { return gaveUp_; }

private:
    void Live() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"VelmoraTestHungWindow";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                                  windowClass.lpszClassName, L"", WS_POPUP | WS_VISIBLE,
                                  centre_.x - 100, centre_.y - 100, 200, 200, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
        SetEvent(ready_);
        if (WaitForSingleObject(release_, kPatienceMs) == WAIT_TIMEOUT) {
            gaveUp_ = true;
            while (MsgWaitForMultipleObjects(1, &release_, FALSE, INFINITE, QS_ALLINPUT) !=
                   WAIT_OBJECT_0) {
                MSG message;
                while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                    DispatchMessageW(&message);
                }
            }
        }
        DestroyWindow(window_);
    }

    POINT centre_;
    HANDLE ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<HWND> window_ = nullptr;
    std::atomic<bool> gaveUp_ = false;
    std::thread thread_;
};

}  // namespace

TEST_F(MainWindowTest, LeavingTheWebPageLabelOverAHungWindowDoesNotStopTheReadout) {
    Start();
    const POINT centre{GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2};
    HungWindow hung(centre);
    ASSERT_NE(hung.Handle(), nullptr);
    ASSERT_TRUE(SetCursorPos(centre.x, centre.y));
    ASSERT_EQ(WindowFromPoint(centre), hung.Handle()) << "the hung window is under the pointer";

    form->Label4MouseMove(form->Label4, {}, 3, 3);
    form->Label4MouseLeave(form->Label4);
    EXPECT_EQ(CursorOver(form->Handle()), LoadCursorW(nullptr, IDC_ARROW));

    memory.figures = {25, 4ull << 30, 3ull << 30};
    form->Button3Click(form->Button3);
    EXPECT_EQ(form->Label8->Caption(), "Mémoire utilisée : 25 %");
    EXPECT_FALSE(hung.GaveUp()) << "the cursor's reset waited on the hung window";
}
