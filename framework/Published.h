#pragma once
// Published properties: each class's table of the properties that a form resource may set, by
// name, with the member that receives the value; the member's type says how the value is read.
// The tables are plain data, and one function reads a value for any of them.

#include "framework/Classes.h"
#include "framework/Component.h"
#include "framework/FormText.h"

#include <span>
#include <string>
#include <type_traits>
#include <variant>

class FormReader;

struct PublishedProperty {
    // A setter that takes a colour, by its name or as a number.
    struct Color {
        void (TComponent::*set)(TColor);
    };
    struct Enumerated {
        void (*set)(TComponent& component, int value);
        const Enumeration* values;
    };
    // Gives the setter another component of the form; false when it is of another type.
    using Reference = bool (*)(TComponent& component, TComponent* target);
    // A member that reads the value itself.
    using Custom = void (TComponent::*)(const PropertyValue& value, FormReader& reader);

    const char* name;
    // The member of the class, seen from TComponent: a setter or a field of an integer, a
    // boolean (a null setter reads it and drops it), a text, a colour, an enumeration, another
    // component, or an event's handler.
    std::variant<void (TComponent::*)(int), int TComponent::*, void (TComponent::*)(bool),
                 bool TComponent::*, void (TComponent::*)(const std::string&), Color, Enumerated,
                 Reference, Custom, TNotifyEvent TComponent::*, TMouseEvent TComponent::*,
                 TMouseMoveEvent TComponent::*, TCloseEvent TComponent::*,
                 TExceptionEvent TComponent::*>
        member;
};

// Sets `component`'s property from the table; false when the table has no property of that name.
bool SetFromTable(TComponent& component, std::span<const PublishedProperty> table,
                  const PropertyItem& property, FormReader& reader);

namespace published {

template <typename Member>
struct MemberOf;
template <typename Class, typename Type>
struct MemberOf<Type Class::*> {
    using ClassType = Class;
    using MemberType = Type;
};
template <auto member>
using Class = typename MemberOf<decltype(member)>::ClassType;
template <auto member>
using Type = typename MemberOf<decltype(member)>::MemberType;

template <auto member>
void SetEnumerator(TComponent& component, int value) {
    auto& object = static_cast<Class<member>&>(component);
    if constexpr (std::is_member_function_pointer_v<decltype(member)>) {
        [&]<typename Enum>(void (Class<member>::*set)(Enum)) {
            (object.*set)(static_cast<Enum>(value));
        }(member);
    } else {
        object.*member = static_cast<Type<member>>(value);
    }
}

template <auto set>
bool AssignReference(TComponent& component, TComponent* target) {
    return [&]<typename Target>(void (Class<set>::*setter)(Target*)) {
        auto* typed = dynamic_cast<Target*>(target);
        if (typed != nullptr) {
            (static_cast<Class<set>&>(component).*setter)(typed);
        }
        return typed != nullptr;
    }(set);
}

}  // namespace published

// A property given to a setter of the class or stored in a field; a setter of no kind that the
// table holds takes another component of the form.
template <auto member>
constexpr PublishedProperty Property(const char* name) {
    using Member = published::Type<member> TComponent::*;
    if constexpr (std::is_constructible_v<decltype(PublishedProperty::member), Member>) {
        return {name, static_cast<Member>(member)};
    } else {
        return {name, &published::AssignReference<member>};
    }
}

template <auto set>
constexpr PublishedProperty ColorProperty(const char* name) {
    return {name, PublishedProperty::Color{static_cast<void (TComponent::*)(TColor)>(set)}};
}

// An enumerated value, given to a setter or stored in a field.
template <auto member>
constexpr PublishedProperty EnumProperty(const char* name, const Enumeration& values) {
    return {name, PublishedProperty::Enumerated{&published::SetEnumerator<member>, &values}};
}

// A boolean that is read for its kind only and changes nothing.
constexpr PublishedProperty BooleanProperty(const char* name) {
    return {name, static_cast<void (TComponent::*)(bool)>(nullptr)};
}
