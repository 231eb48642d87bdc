#include "support/ResourceCounts.h"

namespace {

HBITMAP CreateTinyBitmap() {
    return CreateBitmap(1, 1, 1, 1, nullptr);
}

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
    return CountCreatable<HBITMAP>(CreateTinyBitmap, [](HBITMAP bitmap) { DeleteObject(bitmap); });
}

int CountCreatableUserObjects() {
    return CountCreatable<HMENU>([] { return CreatePopupMenu(); },
                                 [](HMENU menu) { DestroyMenu(menu); });
}

GdiExhaustion::GdiExhaustion() {
    Refill();
}

GdiExhaustion::~GdiExhaustion() {
    Free(Held());
}

void GdiExhaustion::Free(int count) {
    for (; count > 0 && !held_.empty(); --count) {
        DeleteObject(held_.back());
        held_.pop_back();
    }
}

void GdiExhaustion::Refill() {
    while (HBITMAP bitmap = CreateTinyBitmap()) {
        held_.push_back(bitmap);
    }
}
