// How many GDI objects a Windows test's process holds, for leak checks.
#pragma once

#include <windows.h>

#include <vector>

namespace orvelle::testing {

// How many more GDI objects this process could make, negated: the objects
// in use less the platform's limit. (Under Wine GetGuiResources answers 0;
// the limit there is about 65,500 handles, on Windows 10,000.)
inline constexpr size_t kGdiCap = 1000000;
inline long gdiObjectsInUse() {
    std::vector<HGDIOBJ> made;
    for (HGDIOBJ pen; made.size() < kGdiCap && (pen = CreatePen(PS_SOLID, 1, 0));)
        made.push_back(pen);
    for (HGDIOBJ o : made) DeleteObject(o);
    return -static_cast<long>(made.size());
}

}  // namespace orvelle::testing
