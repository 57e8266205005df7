// RAII for the Win32 handles the two programs hold: windows, kernel
// handles, GDI objects by their type (brushes, pens, fonts, bitmaps,
// regions), memory DCs, a window's DC, the DC of a paint, a selected object.
// Each releases its handle with the call that matches how it was obtained.
#pragma once

#include <windows.h>

#include <type_traits>
#include <utility>

namespace orvelle::win32 {

// A handle closed by a fixed function; movable, not copyable.
template <typename Handle, auto Close>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, Handle{});
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return handle_; }
    Handle release() { return std::exchange(handle_, Handle{}); }
    explicit operator bool() const { return handle_ != Handle{}; }
    void reset(Handle handle = Handle{}) {
        if (handle_ != Handle{}) Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_{};
};

inline void destroyWindow(HWND w) {
    DestroyWindow(w);
}
inline void deleteGdiObject(HGDIOBJ o) {
    DeleteObject(o);
}
inline void deleteDC(HDC dc) {
    DeleteDC(dc);
}
inline void closeHandle(HANDLE h) {
    CloseHandle(h);
}

using UniqueWindow = UniqueHandle<HWND, destroyWindow>;
using UniqueMemoryDC = UniqueHandle<HDC, deleteDC>;
using UniqueKernelHandle = UniqueHandle<HANDLE, closeHandle>;

// A GDI object of one type, deleted with DeleteObject.
template <typename Handle>
using UniqueGdi = UniqueHandle<Handle, deleteGdiObject>;
using UniqueBrush = UniqueGdi<HBRUSH>;
using UniquePen = UniqueGdi<HPEN>;
using UniqueFont = UniqueGdi<HFONT>;
using UniqueBitmap = UniqueGdi<HBITMAP>;
using UniqueRegion = UniqueGdi<HRGN>;

// GetDC / ReleaseDC; a null window: the screen's DC.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint / EndPaint, for the handling of one WM_PAINT.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDC() {
        if (dc_ != nullptr) EndPaint(window_, &paint_);
    }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// SelectObject, put back on scope exit.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace orvelle::win32
