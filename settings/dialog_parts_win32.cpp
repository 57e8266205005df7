#include "settings/dialog_parts_win32.h"

#include <commctrl.h>
#include <oleacc.h>
#include <windowsx.h>

#include "controls/access_key.h"
#include "controls/accessibility_win32.h"
#include "platform/text_win32.h"

namespace orvelle {
namespace {

CanvasRect canvasRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

bool TextWindow::create(HWND parent, int id, const std::string& text, TextFormat format) {
    look_ = {text, format, false};
    return createWindow(0, win32::widen(text).c_str(), WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                        {}, id);
}

void TextWindow::change(const TextLook& look) {
    if (look == look_) return;
    look_ = look;
    invalidate();
}

void TextWindow::setText(const std::string& text) {
    SetWindowTextW(window(), win32::widen(text).c_str());
    change({text, look_.format, look_.highContrast});
}

void TextWindow::setFont(HFONT font) {
    useFont(font);
    invalidate();
}

void TextWindow::setHighContrast(bool on) {
    change({look_.text, look_.format, on});
}

bool TextWindow::describe(AccessibleDescription& d) {
    d.role = ROLE_SYSTEM_STATICTEXT;
    d.name = win32::widen(look_.text);
    return true;
}

LRESULT TextWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCHITTEST) return HTTRANSPARENT;
    return PartWindow::handle(message, wParam, lParam);
}

bool TitleBoxWindow::create(HWND parent, const std::string& title) {
    look_.text = title;
    return createWindow(0, win32::widen(title).c_str(), WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent);
}

void TitleBoxWindow::place(const RECT& outline, const RECT& title, HFONT font) {
    look_.outline = {0, 0, outline.right - outline.left, outline.bottom - outline.top};
    look_.title = canvasRect(title);
    useFont(font);
    // One pixel more each way: the white outline.
    MoveWindow(window(), outline.left, outline.top, look_.outline.right + 1,
               look_.outline.bottom + 1, TRUE);
}

void TitleBoxWindow::setHighContrast(bool on) {
    if (look_.highContrast == on) return;
    look_.highContrast = on;
    invalidate();
}

LRESULT TitleBoxWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCHITTEST) return HTTRANSPARENT;
    return PartWindow::handle(message, wParam, lParam);
}

bool OptionRowWindow::create(HWND parent, int id, const std::string& label,
                             win32::PictureStore& pictures) {
    core_.setLabel(label);
    image_.usePictures(&pictures);
    return createWindow(0, win32::widen(label).c_str(), WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                        {}, id);
}

void OptionRowWindow::place(const Layout& layout, HFONT font) {
    core_.place(canvasRect(layout.mark), canvasRect(layout.label));
    useFont(font);
    MoveWindow(window(), layout.box.left, layout.box.top, layout.box.right - layout.box.left,
               layout.box.bottom - layout.box.top, TRUE);
}

void OptionRowWindow::setChosen(bool chosen) {
    if (core_.look().chosen == chosen) return;
    core_.setChosen(chosen);
    announceStateChange(window());
}

void OptionRowWindow::report(OptionInput input) {
    notifyParent(static_cast<WORD>(kOptionInput + static_cast<WORD>(input)));
}

bool OptionRowWindow::describe(AccessibleDescription& d) {
    d.role = ROLE_SYSTEM_RADIOBUTTON;
    d.name = win32::widen(withoutAccessKeyMarks(core_.look().label));
    d.state = core_.look().chosen ? STATE_SYSTEM_CHECKED : 0;
    d.defaultAction = L"Check";
    return true;
}

LRESULT OptionRowWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            core_.mouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_RADIOBUTTON;
        case WM_KEYDOWN:
            core_.keyDown(static_cast<int>(wParam));
            return 0;
        case WM_ENABLE:
            core_.setEnabled(wParam != 0);
            return 0;
        default:
            return PartWindow::handle(message, wParam, lParam);
    }
}

bool BannerWindow::create(HWND parent, int id, HCURSOR hand, const std::wstring& name,
                          const std::wstring& address, win32::PictureStore& pictures) {
    hand_ = hand;
    name_ = name;
    address_ = address;
    image_.usePictures(&pictures);
    return createWindow(0, name.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 0, parent, {},
                        id);
}

void BannerWindow::open() {
    // The press is over before the page opens.
    if (GetCapture() == window()) ReleaseCapture();
    notifyParent(BN_CLICKED);
}

bool BannerWindow::describe(AccessibleDescription& d) {
    d.role = ROLE_SYSTEM_LINK;
    d.name = name_;
    d.state = STATE_SYSTEM_LINKED;
    d.value = address_;
    d.defaultAction = L"Jump";
    return true;
}

LRESULT BannerWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE: {
            const auto* msg = reinterpret_cast<const MSG*>(lParam);
            return msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN
                       ? DLGC_WANTMESSAGE
                       : 0;
        }
        case WM_KEYDOWN:
            core_.keyDown(static_cast<int>(wParam));
            return 0;
        case WM_SETCURSOR:
            SetCursor(hand_);
            return TRUE;
        case WM_LBUTTONDOWN:
            core_.press();
            SetCapture(window());
            return 0;
        case WM_LBUTTONUP: {
            RECT client{};
            GetClientRect(window(), &client);
            const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            core_.release(PtInRect(&client, at) != FALSE);
            if (GetCapture() == window()) ReleaseCapture();
            return 0;
        }
        case WM_CAPTURECHANGED:
            core_.cancel();
            return 0;
        default:
            return PartWindow::handle(message, wParam, lParam);
    }
}

namespace {

struct ScreenReaderName {
    std::wstring name;
};

LRESULT CALLBACK namedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR data) {
    const auto* named = reinterpret_cast<const ScreenReaderName*>(data);
    switch (message) {
        case WM_GETOBJECT:
            if (static_cast<LONG>(lParam) == OBJID_CLIENT)
                return answerGetObject(window, wParam, lParam);
            break;
        case kDescribeAccessible: {
            auto* d = reinterpret_cast<AccessibleDescription*>(lParam);
            std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
            text.resize(static_cast<size_t>(
                GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
            d->role = ROLE_SYSTEM_COMBOBOX;
            d->name = named->name;
            d->value = text;
            return 0;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(window, namedProc, 1);
            delete named;
            break;
        default:
            break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void nameComboForScreenReaders(HWND window, const std::wstring& name) {
    SetWindowSubclass(window, namedProc, 1,
                      reinterpret_cast<DWORD_PTR>(new ScreenReaderName{name}));
}

}  // namespace orvelle
