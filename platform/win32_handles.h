// RAII for the Win32 handles the two programs hold: a window's device
// context, a created GDI object, a window, a selected object. Each releases
// its handle with the call that matches how it was obtained.
#pragma once

#include <windows.h>

#include <utility>

namespace orvelle::win32 {

// GetDC / ReleaseDC.
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
using UniqueGdiObject = UniqueHandle<HGDIOBJ, deleteGdiObject>;
using UniqueMemoryDC = UniqueHandle<HDC, deleteDC>;
using UniqueKernelHandle = UniqueHandle<HANDLE, closeHandle>;

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
