#pragma once
// How many more GDI and USER objects this process can make: a leak shows as a smaller count.
// The platform's own figures (GetGuiResources) are not available everywhere, so each count makes
// objects until the system refuses one, then frees them all.

// 1×1 bitmaps.
int CountCreatableGdiObjects();
// Empty popup menus.
int CountCreatableUserObjects();
