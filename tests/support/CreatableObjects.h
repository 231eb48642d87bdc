#pragma once
// How many more objects of one kind the process can still create. Wine answers no
// GetGuiResources, so the count is found by creating objects until the first failure, then
// freeing them all: a leak between two counts shows as a smaller second count.

#include <windows.h>

#include <functional>
#include <vector>

// Calls `create` until it answers null or `limit` objects exist, then `destroy` on each.
int CountCreatable(const std::function<HANDLE()>& create,
                   const std::function<void(HANDLE)>& destroy, int limit = 1 << 20);

// GDI objects, counted as 1 x 1 monochrome bitmaps.
int CountCreatableGdiObjects();

// Holds every GDI object the process can still create, until released or destroyed, so that
// code can be run with the GDI table full or nearly full.
class GdiExhaustion {
public:
    GdiExhaustion();
    ~GdiExhaustion();
    GdiExhaustion(const GdiExhaustion&) = delete;
    GdiExhaustion& operator=(const GdiExhaustion&) = delete;

    int Held() const { return static_cast<int>(held_.size()); }
    // Frees `count` of the held objects (fewer if fewer are held).
    void Free(int count);
    // Takes again every object that has come free.
    void Refill();

private:
    std::vector<HBITMAP> held_;
};
