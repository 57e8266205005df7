#include "controls/interception_win32.h"

#include <commctrl.h>

namespace orvelle {

WindowInterceptor::~WindowInterceptor() {
    for (size_t i = table_.size(); i-- > 0;) {
        const WindowHandle w = table_.record(static_cast<int>(i)).window;
        if (w != 0) release(static_cast<int>(i), reinterpret_cast<HWND>(w));
    }
}

int WindowInterceptor::attachWindow(HWND window) {
    if (!IsWindow(window)) return -1;
    const int index = table_.attach(reinterpret_cast<WindowHandle>(window));
    if (stubs_.size() <= static_cast<size_t>(index)) stubs_.resize(static_cast<size_t>(index) + 1);
    stubs_[static_cast<size_t>(index)] = std::make_unique<Stub>(Stub{this, index});
    Stub* stub = stubs_[static_cast<size_t>(index)].get();
    if (!SetWindowSubclass(window, subclassProc, reinterpret_cast<UINT_PTR>(stub),
                           reinterpret_cast<DWORD_PTR>(stub))) {
        table_.detach(reinterpret_cast<WindowHandle>(window));
        stubs_[static_cast<size_t>(index)].reset();
        return -1;
    }
    return index;
}

void WindowInterceptor::addMessage(HWND window, uint32_t message, uint32_t when) {
    table_.addMessage(reinterpret_cast<WindowHandle>(window), message, when);
}

void WindowInterceptor::detachWindow(HWND window) {
    const int index = table_.findRecord(reinterpret_cast<WindowHandle>(window), false);
    if (index >= 0 && window != nullptr) release(index, window);
}

void WindowInterceptor::release(int index, HWND window) {
    Stub* stub = stubs_[static_cast<size_t>(index)].get();
    RemoveWindowSubclass(window, subclassProc, reinterpret_cast<UINT_PTR>(stub));
    table_.detach(reinterpret_cast<WindowHandle>(window));
    stubs_[static_cast<size_t>(index)].reset();
}

LRESULT CALLBACK WindowInterceptor::subclassProc(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* stub = reinterpret_cast<Stub*>(data);
    WindowInterceptor* self = stub->self;
    const int index = stub->index;
    const InterceptionRecord record = self->table_.record(index);
    const WindowMessage call{reinterpret_cast<WindowHandle>(window), message, wParam, lParam};
    const LRESULT result =
        dispatchIntercepted(record, self->owner_, call, [](const WindowMessage& m) {
            return DefSubclassProc(reinterpret_cast<HWND>(m.window), m.message, m.wParam, m.lParam);
        });
    // A window being destroyed takes its subclasses with it (unless the
    // owner let go of this record meanwhile).
    if (message == WM_NCDESTROY && self->stubs_[static_cast<size_t>(index)].get() == stub) {
        self->release(index, window);
    }
    return result;
}

}  // namespace orvelle
