#pragma once
// The spin edit: an entry field for a whole number, read from and written to its text.

#include "framework/StdCtrls.h"

#include <cstdint>

class TSpinEdit : public TCustomEdit {
public:
    explicit TSpinEdit(TComponent* owner);

    // The text as an integer; text that is no number reads as MinValue.
    int32_t Value() const;
    // Shows ClampValue(value) in decimal.
    void SetValue(int32_t value);
    int32_t MinValue() const { return minValue_; }
    void SetMinValue(int32_t value) { minValue_ = value; }
    int32_t MaxValue() const { return maxValue_; }
    void SetMaxValue(int32_t value) { maxValue_ = value; }
    int32_t Increment() const { return increment_; }
    void SetIncrement(int32_t increment) { increment_ = increment; }
    bool EditorEnabled() const { return editorEnabled_; }
    void SetEditorEnabled(bool enabled) { editorEnabled_ = enabled; }

    // Equal bounds mean no bounds at all.
    int32_t ClampValue(int32_t value) const;

    void SetProperty(const PropertyItem& property, FormReader& reader) override;

private:
    int32_t minValue_ = 0;
    int32_t maxValue_ = 0;
    int32_t increment_ = 1;
    bool editorEnabled_ = true;
};
