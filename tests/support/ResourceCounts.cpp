#include "support/ResourceCounts.h"

#include <windows.h>

#include <vector>

namespace {

template <typename Handle, typename Create, typename Destroy>
int CountCreatable(Create create, Destroy destroy) {
    std::vector<Handle> made;
    made.reserve(70000);
    while (Handle handle = create()) {
        made.push_back(handle);
    }
    for (Handle handle : made) {
        destroy(handle);
    }
    return static_cast<int>(made.size());
}

}  // namespace

int CountCreatableGdiObjects() {
    return CountCreatable<HBITMAP>([] { return CreateBitmap(1, 1, 1, 1, nullptr); },
                                   [](HBITMAP bitmap) { DeleteObject(bitmap); });
}

int CountCreatableUserObjects() {
    return CountCreatable<HMENU>([] { return CreatePopupMenu(); },
                                 [](HMENU menu) { DestroyMenu(menu); });
}
