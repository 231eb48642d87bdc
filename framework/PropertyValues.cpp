#include "framework/PropertyValues.h"

#include "framework/Controls.h"

TAlign AlignValue(const PropertyValue& value) {
    static const std::pair<const char*, TAlign> kAligns[] = {
        {"alNone", TAlign::alNone}, {"alTop", TAlign::alTop},     {"alBottom", TAlign::alBottom},
        {"alLeft", TAlign::alLeft}, {"alRight", TAlign::alRight}, {"alClient", TAlign::alClient},
    };
    return EnumValue(value, kAligns, "alignement");
}

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
