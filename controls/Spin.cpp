#include "controls/Spin.h"

#include "framework/FormReader.h"
#include "framework/Numbers.h"

#include <string>

TSpinEdit::TSpinEdit(TComponent* owner) : TCustomEdit(owner) {
    SetText("0");
}

int32_t TSpinEdit::Value() const {
    int32_t value = 0;
    return TryStrToInt(Text(), value) ? value : minValue_;
}

void TSpinEdit::SetValue(int32_t value) {
    SetText(std::to_string(ClampValue(value)));
}

int32_t TSpinEdit::ClampValue(int32_t value) const {
    if (minValue_ == maxValue_) {
        return value;
    }
    if (value < minValue_) {
        return minValue_;
    }
    if (value > maxValue_) {
        return maxValue_;
    }
    return value;
}

void TSpinEdit::SetProperty(const PropertyItem& property, FormReader& reader) {
    const std::string& name = property.name;
    const PropertyValue& value = property.value;
    if (name == "Value") {
        SetValue(value.AsInteger());
    } else if (name == "MinValue") {
        SetMinValue(value.AsInteger());
    } else if (name == "MaxValue") {
        SetMaxValue(value.AsInteger());
    } else if (name == "Increment") {
        SetIncrement(value.AsInteger());
    } else if (name == "EditorEnabled") {
        SetEditorEnabled(value.AsBoolean());
    } else {
        TCustomEdit::SetProperty(property, reader);
    }
}
