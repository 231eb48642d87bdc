#pragma once
// Panels, images and timers.

#include "framework/Controls.h"

#include <cstdint>

enum class TBevelCut { bvNone, bvRaised };

class TPanel : public TWinControl {
public:
    using TWinControl::TWinControl;
    RECT AlignArea() const override;
    bool SetPublished(const PropertyItem& property, FormReader& reader) override;

protected:
    void CreateParams(WindowParams& params) override;
    void PaintWindow(HDC dc) override;

private:
    TBevelCut bevelOuter_ = TBevelCut::bvRaised;
};

// An icon from the program's resources, centred in its own static window.
class TImage : public TWinControl {
public:
    using TWinControl::TWinControl;
    bool SetPublished(const PropertyItem& property, FormReader& reader) override;

protected:
    void CreateParams(WindowParams& params) override;
    void HandleCreated() override;

private:
    void ReadPicture(const PropertyValue& value, FormReader& reader);

    TIcon icon_;
    // Read and kept only: a static icon is always drawn over its parent's colour.
    bool transparent_ = false;
};

// A window timer on the framework's message window, under an identifier of its own. It ticks
// while it is enabled, its interval is not 0 and it has a handler.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    uint32_t Interval() const { return interval_; }
    // A different interval restarts the countdown from the full interval.
    void SetInterval(uint32_t interval);
    bool Enabled() const { return enabled_; }
    // Enabling a disabled timer restarts its countdown.
    void SetEnabled(bool enabled);

    TNotifyEvent OnTimer;

    bool SetPublished(const PropertyItem& property, FormReader& reader) override;

private:
    void UpdateTimer();
    // The resource's handler, and the timer started now that it has one.
    void SetOnTimer(TNotifyEvent handler);

    uint32_t interval_ = 1000;
    bool enabled_ = true;
    UINT id_;
};
