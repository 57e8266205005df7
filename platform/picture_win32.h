// Pictures stored with the program as JPEG resources (RCDATA), decoded by the
// platform's picture loader into bitmaps of our own.
#pragma once

#include <windows.h>

#include <map>

#include "platform/win32_handles.h"

namespace orvelle::win32 {

// Null when the resource is missing or cannot be decoded.
UniqueBitmap loadJpegResource(int id);

// The size of a bitmap in pixels; 0 x 0 for none.
SIZE bitmapSize(HBITMAP bitmap);

// The program's pictures by resource number, each decoded on first use and
// kept as long as the store; null for one that cannot be decoded.
class PictureStore {
public:
    HBITMAP bitmap(int id);

private:
    std::map<int, UniqueBitmap> decoded_;
};

}  // namespace orvelle::win32
