// The timer component on real window timers, and the full-sweep interval arithmetic.

#include "framework/Exceptions.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "maintenance/SweepSchedule.h"

#include <gtest/gtest.h>

#include <memory>

TEST(SweepInterval, IsTheMinutesTimesSixtyThousandIn32Bits) {
    struct Case {
        int32_t minutes;
        uint32_t milliseconds;
    };
    const Case cases[] = {
        {30, 1800000u},   {1, 60000u}, {71582, 4294920000u}, {71583, 12704u}, {-1, 4294907296u},
        {-71582, 47296u}, {0, 0u},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SweepIntervalMs(c.minutes), c.milliseconds) << c.minutes << " minutes";
    }
}

class TimerTest : public testing::Test {
protected:
    void SetUp() override {
        app_ = std::make_unique<TApplication>();
        app_->Initialize();
        owner_ = std::make_unique<TComponent>(nullptr);
        timer = new TTimer(owner_.get());
        timer->OnTimer = [this](TObject*) { ++ticks; };
    }
    void TearDown() override {
        owner_.reset();
        app_.reset();
    }
    void Pump(int milliseconds) {
        DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
        while (static_cast<int>(end - GetTickCount()) > 0) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            app_->ProcessMessages();
        }
    }

    TTimer* timer = nullptr;
    int ticks = 0;
    std::unique_ptr<TApplication> app_;

private:
    std::unique_ptr<TComponent> owner_;
};

TEST_F(TimerTest, TicksRepeatedlyAndNeverWithIntervalZero) {
    timer->SetInterval(20);
    Pump(300);
    EXPECT_GE(ticks, 3);

    timer->SetInterval(0);
    EXPECT_FALSE(timer->Running());
    ticks = 0;
    Pump(150);
    EXPECT_EQ(ticks, 0);
}

TEST_F(TimerTest, ANewIntervalRestartsTheCountdownAndTheSameOneDoesNot) {
    timer->SetInterval(400);
    Pump(250);
    timer->SetInterval(500);  // restarts: the old 400 ms run out unnoticed
    Pump(300);
    EXPECT_EQ(ticks, 0);
    Pump(400);
    EXPECT_GE(ticks, 1);

    ticks = 0;
    timer->SetInterval(400);
    Pump(250);
    timer->SetInterval(400);  // unchanged: the countdown goes on
    Pump(300);
    EXPECT_GE(ticks, 1);
}

TEST_F(TimerTest, EnablingRestartsTheCountdown) {
    timer->SetInterval(300);
    timer->SetEnabled(false);
    Pump(350);
    EXPECT_EQ(ticks, 0);
    timer->SetEnabled(true);
    timer->SetEnabled(true);
    Pump(150);
    EXPECT_EQ(ticks, 0);
    Pump(350);
    EXPECT_GE(ticks, 1);
}

TEST_F(TimerTest, LateTicksDoNotPileUp) {
    timer->SetInterval(20);
    Sleep(400);  // a long sweep holds the thread
    Pump(15);
    EXPECT_LE(ticks, 1);
}

TEST_F(TimerTest, IntervalsBeyondThePlatformsLongestCountWaitTheLongestCount) {
    // Beyond USER_TIMER_MAXIMUM the platform is asked for its longest count, not a wrapped one.
    for (uint32_t interval : {4294920000u, 4294907296u, 0x80000000u}) {
        timer->SetInterval(interval);
        EXPECT_TRUE(timer->Running());
        Pump(100);
        EXPECT_EQ(ticks, 0) << interval;
    }
}

TEST_F(TimerTest, AnExceptionInATickIsReportedAndTheTimerGoesOn) {
    TApplicationEvents events(nullptr);
    std::vector<std::string> reported;
    events.OnException = [&](TObject* sender, const Exception& error) {
        EXPECT_EQ(sender, timer);
        reported.push_back(error.Message());
    };
    timer->OnTimer = [this](TObject*) {
        ++ticks;
        throw EInvalidOperation("tic");
    };
    timer->SetInterval(20);
    Pump(200);
    EXPECT_GE(ticks, 2);
    ASSERT_FALSE(reported.empty());
    EXPECT_EQ(reported.front(), "tic");
    EXPECT_EQ(reported.size(), static_cast<size_t>(ticks));
}
