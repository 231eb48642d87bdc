#include "framework/Published.h"

#include "framework/FormReader.h"

bool SetFromTable(TComponent& component, std::span<const PublishedProperty> table,
                  const PropertyItem& property, FormReader& reader) {
    const PropertyValue& value = property.value;
    for (const PublishedProperty& entry : table) {
        if (property.name != entry.name) {
            continue;
        }
        std::visit(
            [&](auto member) {
                using Member = decltype(member);
                using Property = PublishedProperty;
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
                } else if constexpr (std::is_same_v<Member,
                                                    void (TComponent::*)(const std::string&)>) {
                    (component.*member)(value.AsString());
                } else if constexpr (std::is_same_v<Member, Property::Color>) {
                    (component.*member.set)(ColorValue(value));
                } else if constexpr (std::is_same_v<Member, Property::Enumerated>) {
                    member.set(component, EnumValue(value, *member.values));
                } else if constexpr (std::is_same_v<Member, Property::Reference>) {
                    reader.Reference(value, [&component, member](TComponent* target) {
                        return member(component, target);
                    });
                } else if constexpr (std::is_same_v<Member, Property::Custom>) {
                    (component.*member)(value, reader);
                } else {
                    // An event's slot: the form's handler of the event's signature.
                    using Event = published::MemberOf<Member>::MemberType;
                    component.*member = reader.Method<Event>(value);
                }
            },
            entry.member);
        return true;
    }
    return false;
}
