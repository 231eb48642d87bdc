#include "support/CreatableObjects.h"

namespace {

// Far above any table of GDI handles; only a guard against a platform without one.
constexpr size_t kMostHeld = 1 << 20;

HBITMAP CreateTinyBitmap() {
    return CreateBitmap(1, 1, 1, 1, nullptr);
}

}  // namespace

int CountCreatable(const std::function<HANDLE()>& create,
                   const std::function<void(HANDLE)>& destroy, int limit) {
    std::vector<HANDLE> created;
    while (static_cast<int>(created.size()) < limit) {
        HANDLE object = create();
        if (object == nullptr) {
            break;
        }
        created.push_back(object);
    }
    for (HANDLE object : created) {
        destroy(object);
    }
    return static_cast<int>(created.size());
}

int CountCreatableGdiObjects() {
    return CountCreatable([] { return static_cast<HANDLE>(CreateTinyBitmap()); },
                          [](HANDLE object) { DeleteObject(static_cast<HGDIOBJ>(object)); });
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
    while (held_.size() < kMostHeld) {
        HBITMAP bitmap = CreateTinyBitmap();
        if (bitmap == nullptr) {
            break;
        }
        held_.push_back(bitmap);
    }
}
