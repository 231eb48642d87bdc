#pragma once
// Enumerated values, sets and colours as a form resource names them.

#include "framework/Colors.h"
#include "framework/FormText.h"

#include <span>

struct EnumName {
    template <typename Enum>
    constexpr EnumName(const char* name, Enum value) : name(name), value(static_cast<int>(value)) {}
    const char* name;
    int value;
};

// The names of an enumeration's values; `what` words the error for a name it does not know.
struct Enumeration {
    const char* what;
    std::span<const EnumName> names;
};

// The value that a resource names.
int EnumValue(const PropertyValue& value, const Enumeration& enumeration);
// The members of a set in brackets, one bit per value; `expected` words the error for a value
// that is no set.
unsigned SetValue(const PropertyValue& value, const Enumeration& enumeration, const char* expected);

// A colour given by its name (clRed, clBtnFace, ...) or as a number.
TColor ColorValue(const PropertyValue& value);
