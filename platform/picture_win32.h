// Pictures stored with the program as JPEG resources (RCDATA), decoded by the
// platform's picture loader into a bitmap of our own.
#pragma once

#include <windows.h>

#include "platform/win32_handles.h"

namespace orvelle::win32 {

// Null when the resource is missing or cannot be decoded.
UniqueGdiObject loadJpegResource(int id);

// The size of a bitmap in pixels; 0 x 0 for none.
SIZE bitmapSize(HBITMAP bitmap);

}  // namespace orvelle::win32
