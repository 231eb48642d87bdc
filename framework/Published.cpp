#include "framework/Published.h"

#include "framework/FormReader.h"

#include <algorithm>

bool SetFromTable(TComponent& component, std::span<const PublishedProperty> table,
                  const PropertyItem& property, FormReader& reader) {
    auto entry = std::ranges::find(table, property.name, &PublishedProperty::name);
    if (entry == table.end()) {
        return false;
    }
    const PropertyValue& value = property.value;
    std::visit(
        [&](auto member) {
            using Member = decltype(member);
            if constexpr (std::is_same_v<Member, void (TComponent::*)(int)>) {
                (component.*member)(value.AsInteger());
            } else if constexpr (std::is_same_v<Member, int TComponent::*>) {
                component.*member = value.AsInteger();
            } else if constexpr (std::is_same_v<Member, void (TComponent::*)(bool)>) {
                bool flag = value.AsBoolean();
                if (member != nullptr) {
                    (component.*member)(flag);
                }
            } else if constexpr (std::is_same_v<Member, bool TComponent::*>) {
                component.*member = value.AsBoolean();
            } else if constexpr (std::is_same_v<Member, void (TComponent::*)(const std::string&)>) {
                (component.*member)(value.AsString());
            } else if constexpr (std::is_same_v<Member, PublishedProperty::Color>) {
                (component.*member.set)(ColorValue(value));
            } else if constexpr (std::is_same_v<Member, PublishedProperty::Enumerated>) {
                member.set(component, EnumValue(value, *member.values));
            } else if constexpr (std::is_same_v<Member, PublishedProperty::Reference>) {
                reader.Reference(value, [&component, member](TComponent* target) {
                    return member(component, target);
                });
            } else if constexpr (std::is_same_v<Member, PublishedProperty::Custom>) {
                (component.*member)(value, reader);
            } else {
                // An event's slot: the form's handler of the event's signature.
                using Event = typename published::MemberOf<Member>::MemberType;
                component.*member = reader.Method<Event>(value);
            }
        },
        entry->member);
    return true;
}
