#pragma once
// Published properties: each class's table of the properties that a form resource may set, by
// name, each with a setter made for its member; the member's type says how the value is read.
// The tables are plain data, and one function finds the row of a name.

#include "framework/Classes.h"
#include "framework/Component.h"
#include "framework/FormReader.h"
#include "framework/FormText.h"

#include <algorithm>
#include <functional>
#include <span>
#include <string>
#include <type_traits>

struct PublishedProperty {
    const char* name = nullptr;
    // Reads the value into the component's member.
    void (*set)(TComponent& component, const PropertyValue& value, FormReader& reader) = nullptr;
};

// Sets `component`'s property from the table; false when the table has no property of that name.
inline bool SetFromTable(TComponent& component, std::span<const PublishedProperty> table,
                         const PropertyItem& property, FormReader& reader) {
    auto entry = std::ranges::find(table, property.name, &PublishedProperty::name);
    if (entry == table.end()) {
        return false;
    }
    entry->set(component, property.value, reader);
    return true;
}

namespace published {

// The class of a member, and what it takes: a setter's parameter, or a field's own type.
template <typename Member>
struct MemberOf;
template <typename Owner, typename Value>
struct MemberOf<void (Owner::*)(Value)> {
    using Class = Owner;
    using Taken = std::remove_cvref_t<Value>;
};
template <typename Owner, typename Value>
struct MemberOf<Value Owner::*> {
    using Class = Owner;
    using Taken = Value;
};
template <auto member>
using Class = typename MemberOf<decltype(member)>::Class;
template <auto member>
using Taken = typename MemberOf<decltype(member)>::Taken;

template <typename Value>
constexpr bool kIsEvent = false;
template <typename... Args>
constexpr bool kIsEvent<std::function<void(TObject*, Args...)>> = true;

template <auto member>
void Assign(Class<member>& object, Taken<member> value) {
    if constexpr (std::is_member_function_pointer_v<decltype(member)>) {
        (object.*member)(std::move(value));
    } else {
        object.*member = std::move(value);
    }
}

// Reads the value as the member takes it: a number, a boolean, a text, an event's handler of the
// form, or another component of the form, given once every one is read; or the member reads it.
template <auto member>
void Set(TComponent& component, const PropertyValue& value, FormReader& reader) {
    auto& object = static_cast<Class<member>&>(component);
    using Value = Taken<member>;
    if constexpr (std::is_invocable_v<decltype(member), Class<member>&, const PropertyValue&,
                                      FormReader&>) {
        (object.*member)(value, reader);
    } else if constexpr (std::is_same_v<Value, bool>) {
        Assign<member>(object, value.AsBoolean());
    } else if constexpr (std::is_integral_v<Value>) {
        Assign<member>(object, static_cast<Value>(value.AsInteger()));
    } else if constexpr (std::is_same_v<Value, std::string>) {
        Assign<member>(object, value.AsString());
    } else if constexpr (kIsEvent<Value>) {
        Assign<member>(object, reader.Method<Value>(value));
    } else {
        static_assert(std::is_pointer_v<Value>, "a property of no kind the reader knows");
        reader.Reference(value, [&object](TComponent* target) {
            auto* typed = dynamic_cast<Value>(target);
            if (typed != nullptr) {
                Assign<member>(object, typed);
            }
            return typed != nullptr;
        });
    }
}

template <auto member, const Enumeration& values>
void SetEnum(TComponent& component, const PropertyValue& value, FormReader&) {
    Assign<member>(static_cast<Class<member>&>(component),
                   static_cast<Taken<member>>(EnumValue(value, values)));
}

template <auto set>
void SetColor(TComponent& component, const PropertyValue& value, FormReader&) {
    (static_cast<Class<set>&>(component).*set)(ColorValue(value));
}

}  // namespace published

// A property given to a setter of the class or stored in a field.
template <auto member>
constexpr PublishedProperty Property(const char* name) {
    return {name, &published::Set<member>};
}

// An enumerated value, by the names of `values`, given to a setter or stored in a field.
template <auto member, const Enumeration& values>
constexpr PublishedProperty EnumProperty(const char* name) {
    return {name, &published::SetEnum<member, values>};
}

// A colour, by its name or as a number.
template <auto set>
constexpr PublishedProperty ColorProperty(const char* name) {
    return {name, &published::SetColor<set>};
}
