// Window-message interception on Windows, over the platform's own
// subclassing (comctl32's SetWindowSubclass): each record of an owner is
// one subclass with an identity of its own, so several owners on one
// window, and one owner attached twice, chain like any subclasses and may
// detach in any order without breaking the window's message delivery.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "controls/interception.h"

namespace orvelle {

class WindowInterceptor {
public:
    explicit WindowInterceptor(InterceptionOwner& owner) : owner_(owner) {}
    // Detaches every window still attached.
    ~WindowInterceptor();
    WindowInterceptor(const WindowInterceptor&) = delete;
    WindowInterceptor& operator=(const WindowInterceptor&) = delete;

    // The index of the record used; -1 when the window cannot be subclassed.
    int attachWindow(HWND window);
    void addMessage(HWND window, uint32_t message, uint32_t when);
    // Nothing happens for a window without a record.
    void detachWindow(HWND window);

    const InterceptionTable& table() const { return table_; }

private:
    struct Stub {
        WindowInterceptor* self;
        int index;
    };
    static LRESULT CALLBACK subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);
    void release(int index, HWND window);

    InterceptionOwner& owner_;
    InterceptionTable table_;
    std::vector<std::unique_ptr<Stub>> stubs_;  // by record index
};

}  // namespace orvelle
