#include "framework/Published.h"

#include <algorithm>

bool SetFromTable(TComponent& component, std::span<const PublishedProperty> table,
                  const PropertyItem& property, FormReader& reader) {
    auto entry = std::ranges::find(table, property.name, &PublishedProperty::name);
    if (entry == table.end()) {
        return false;
    }
    entry->set(component, property.value, reader, entry->values);
    return true;
}
