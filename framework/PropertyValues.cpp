#include "framework/PropertyValues.h"

TColor ColorValue(const PropertyValue& value) {
    if (value.kind == PropertyValue::Kind::Integer) {
        return static_cast<TColor>(value.integer);
    }
    static const std::pair<const char*, TColor> kColors[] = {
        {"clBlack", clBlack},     {"clWhite", clWhite},
        {"clRed", clRed},         {"clGreen", clGreen},
        {"clNavy", clNavy},       {"clOlive", clOlive},
        {"clBtnFace", clBtnFace}, {"clWindowText", clWindowText},
        {"clWindow", clWindow},   {"clWindowFrame", clWindowFrame},
    };
    return EnumValue(value, kColors, "nom de couleur");
}
