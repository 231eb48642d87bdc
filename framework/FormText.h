#pragma once
// The text of a form resource, parsed: nested `object Name: Class` ... `end` blocks, each opening
// with `Property = value` lines; and its values read as enumerations, sets and colours.

#include "framework/Colors.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct PropertyItem;

// One value on the right of `Property = value`.
struct PropertyValue {
    enum class Kind { Integer, String, Identifier, Set, Collection };
    Kind kind = Kind::Integer;
    int32_t integer = 0;
    std::string text;                                   // String and Identifier
    std::vector<std::string> members;                   // Set
    std::vector<std::vector<PropertyItem>> collection;  // Collection: one property list per item
    int line = 0;

    // Each accessor raises EReadError, naming the line, when the value is of another kind.
    int32_t AsInteger() const;
    const std::string& AsString() const;
    const std::string& AsIdentifier() const;
    bool AsBoolean() const;
};

struct PropertyItem {
    std::string name;
    PropertyValue value;
};

struct ObjectNode {
    std::string name;
    std::string className;
    int line = 0;
    std::vector<PropertyItem> properties;
    std::vector<std::unique_ptr<ObjectNode>> children;
};

// Parses a whole form resource; raises EReadError with the line number on malformed text.
std::unique_ptr<ObjectNode> ParseFormText(std::string_view text);

[[noreturn]] void ThrowReadError(int line, const std::string& message);

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
