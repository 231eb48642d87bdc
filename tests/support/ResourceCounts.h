#pragma once
// How many more GDI and USER objects this process can make: a leak shows as a smaller count.
// The platform's own figures (GetGuiResources) are not available everywhere, so each count makes
// objects until the system refuses one, then frees them all.

#include <windows.h>

#include <vector>

// 1×1 bitmaps.
int CountCreatableGdiObjects();
// Empty popup menus.
int CountCreatableUserObjects();

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
