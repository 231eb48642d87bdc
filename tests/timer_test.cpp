// The timer component on real window timers, and the full-sweep interval arithmetic.

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/ExtCtrls.h"
#include "maintenance/SweepSchedule.h"
#include "support/PumpUntil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <vector>

TEST(SweepInterval, IsTheMinutesTimesSixtyThousandUpToTheLongestTimerInterval) {
    struct Case {
        int32_t minutes;
        uint32_t milliseconds;
    };
    constexpr uint32_t kLongest = 0x7FFFFFFF;
    const Case cases[] = {
        {0, 0u},
        {1, 60000u},
        {30, 1800000u},
        {35791, 2147460000u},
        // Longer than a window timer counts, or wrapped in 32 bits: the longest interval.
        {35792, kLongest},
        {71582, kLongest},
        {71583, kLongest},
        {106157275, kLongest},
        {INT32_MAX, kLongest},
        {-1, kLongest},
        {-71582, kLongest},
        {INT32_MIN, kLongest},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SweepIntervalMs(c.minutes), c.milliseconds) << c.minutes << " minutes";
    }
}

// Real window timers. A tick may come late on a busy machine but never early, so a test waits
// for ticks with seconds to spare and judges a countdown only by when its tick came at the
// earliest.
class TimerTest : public testing::Test {
protected:
    static constexpr ULONGLONG kClockSlackMs = 30;  // the tick clock against the timers' own

    void SetUp() override {
        app_ = std::make_unique<TApplication>();
        app_->Initialize();
        owner_ = std::make_unique<TComponent>(nullptr);
        timer = new TTimer(owner_.get());
        timer->OnTimer = [this](TObject*) {
            ++ticks;
            tickTimes.push_back(GetTickCount64());
        };
    }
    void TearDown() override {
        owner_.reset();
        app_.reset();
    }
    template <typename Condition>
    bool Until(Condition condition) {
        return PumpUntil(*app_, condition);
    }
    // Handles messages for about `milliseconds`.
    void PumpFor(DWORD milliseconds) {
        const ULONGLONG end = GetTickCount64() + milliseconds;
        PumpUntil(
            *app_, [&] { return GetTickCount64() >= end; }, milliseconds + 1000);
    }
    // The first tick at or after `moment`, waiting for it if need be; 0 if none came.
    ULONGLONG FirstTickFrom(ULONGLONG moment) {
        auto found = [&] {
            return std::find_if(tickTimes.begin(), tickTimes.end(),
                                [&](ULONGLONG t) { return t >= moment; });
        };
        Until([&] { return found() != tickTimes.end(); });
        return found() != tickTimes.end() ? *found() : 0;
    }

    TTimer* timer = nullptr;
    int ticks = 0;
    std::vector<ULONGLONG> tickTimes;
    std::unique_ptr<TApplication> app_;

private:
    std::unique_ptr<TComponent> owner_;
};

TEST_F(TimerTest, TicksRepeatedlyAndNeverWithIntervalZeroOrDisabled) {
    timer->SetInterval(20);
    EXPECT_TRUE(Until([&] { return ticks >= 3; }));

    timer->SetInterval(0);
    ticks = 0;
    PumpFor(100);
    EXPECT_EQ(ticks, 0);

    timer->SetEnabled(false);
    timer->SetInterval(20);
    PumpFor(100);
    EXPECT_EQ(ticks, 0) << "disabled";
}

TEST_F(TimerTest, ANewIntervalRestartsTheCountdown) {
    timer->SetInterval(300);
    PumpFor(150);
    const ULONGLONG changed = GetTickCount64();
    timer->SetInterval(400);
    const ULONGLONG tick = FirstTickFrom(changed);
    ASSERT_NE(tick, 0u);
    EXPECT_GE(tick + kClockSlackMs, changed + 400) << "the old countdown ran on";
}

TEST_F(TimerTest, TheSameIntervalLeavesTheCountdownRunning) {
    // Only a tick that comes before a restarted countdown could have ended shows that the
    // countdown went on; a busy machine may delay it past that, so a few rounds are allowed.
    bool wentOn = false;
    for (int round = 0; round < 5 && !wentOn; ++round) {
        timer->SetInterval(0);
        tickTimes.clear();
        timer->SetInterval(600);
        PumpFor(300);
        if (!tickTimes.empty()) {
            continue;  // the pump was held up past the whole interval
        }
        timer->SetInterval(600);
        const ULONGLONG unchanged = GetTickCount64();
        const ULONGLONG tick = FirstTickFrom(unchanged);
        ASSERT_NE(tick, 0u);
        wentOn = tick < unchanged + 600 - kClockSlackMs;
    }
    EXPECT_TRUE(wentOn) << "setting the same interval restarted the countdown";
}

TEST_F(TimerTest, EnablingRestartsTheCountdown) {
    timer->SetInterval(300);
    timer->SetEnabled(false);
    PumpFor(150);
    const ULONGLONG enabled = GetTickCount64();
    timer->SetEnabled(true);
    timer->SetEnabled(true);
    const ULONGLONG tick = FirstTickFrom(0);
    ASSERT_NE(tick, 0u);
    EXPECT_GE(tick + kClockSlackMs, enabled + 300);
}

TEST_F(TimerTest, IntervalsBeyondThePlatformsLongestCountWaitTheLongestCount) {
    // Beyond USER_TIMER_MAXIMUM the platform is asked for its longest count, not a wrapped one.
    for (uint32_t interval : {4294920000u, 4294907296u, 0x80000000u}) {
        timer->SetInterval(interval);
        PumpFor(100);
        EXPECT_EQ(ticks, 0) << interval;
    }
}

TEST_F(TimerTest, AnExceptionInATickIsReportedAndTheTimerGoesOn) {
    TApplicationEvents events(nullptr);
    std::vector<std::string> reported;
    events.OnException = [&](TObject*, const Exception& error) {
        reported.push_back(error.Message());
    };
    timer->OnTimer = [this](TObject*) {
        ++ticks;
        throw EInvalidOperation("tic");
    };
    timer->SetInterval(20);
    EXPECT_TRUE(Until([&] { return ticks >= 2; }));
    ASSERT_FALSE(reported.empty());
    EXPECT_EQ(reported.front(), "tic");
    EXPECT_EQ(reported.size(), static_cast<size_t>(ticks));
}
