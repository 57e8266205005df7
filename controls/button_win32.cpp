#include "controls/button_win32.h"

#include <oleacc.h>
#include <windowsx.h>

#include <cmath>

#include "platform/text_win32.h"

namespace orvelle {
namespace {

int16_t buttonsOf(WPARAM keys) {
    return static_cast<int16_t>(((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) |
                                ((keys & MK_MBUTTON) ? 4 : 0));
}

int16_t shiftOf(WPARAM keys) {
    return static_cast<int16_t>(((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) |
                                (GetKeyState(VK_MENU) < 0 ? 4 : 0));
}

}  // namespace

ButtonWindow::ButtonWindow() : core_(*this), interceptor_(*this) {}

ButtonWindow::~ButtonWindow() {
    // Its own window first, then the form's.
    if (window() != nullptr) interceptor_.detachWindow(window());
    if (form_ != nullptr) interceptor_.detachWindow(form_);
}

bool ButtonWindow::create(HWND parent, int x, int y, int width, int height, int id,
                          const std::string& caption, const FontSpec& font) {
    core_.setCaption(caption);
    core_.setFont(font);
    const win32::WindowClassOptions options{CS_DBLCLKS};
    if (!createWindow(0, win32::widen(caption).c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP, x, y,
                      width, height, parent, options, id)) {
        return false;
    }
    // Loaded and running: watch the pointer leaving and the form's activation.
    form_ = GetAncestor(window(), GA_ROOT);
    if ((GetWindowLongW(form_, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0)
        activationMessage_ = WM_NCACTIVATE;
    interceptor_.attachWindow(window());
    interceptor_.addMessage(window(), WM_MOUSELEAVE, kAfterDefault);
    interceptor_.attachWindow(form_);
    interceptor_.addMessage(form_, activationMessage_, kAfterDefault);
    core_.setFormActive(GetActiveWindow() == form_);
    refreshFont();  // at the window's own DPI
    core_.setEnabled(IsWindowEnabled(window()) != FALSE);
    return true;
}

void ButtonWindow::setHighContrast(bool on) {
    highContrast_ = on;
    core_.drawButton(core_.visualState());
}

void ButtonWindow::snapMouseTo() {
    POINT origin{0, 0};
    ClientToScreen(window(), &origin);
    SetCursorPos(origin.x + static_cast<int>(std::nearbyint(image_.width() / 2.0)),
                 origin.y + static_cast<int>(std::nearbyint(image_.height() / 2.0)));
}

void ButtonWindow::paint(VisualState s) {
    // Before the window exists there is nothing to draw on: its first size
    // change draws the button.
    if (window() == nullptr) return;
    const ButtonProperties& p = core_.properties();
    drawButton(image_, s,
               {p.caption, p.enabled, core_.hasFocus(), p.focusRect, p.foreColour, highContrast_});
    // The window owns the region from here on.
    win32::UniqueRegion shape(
        CreateRoundRectRgn(0, 0, image_.width() + 1, image_.height() + 1, 3, 3));
    if (SetWindowRgn(window(), shape.get(), TRUE) != 0) shape.release();
    InvalidateRect(window(), nullptr, FALSE);
}

void ButtonWindow::propertyChanged(const char* name) {
    if (window() != nullptr && std::string_view(name) == "Caption") {
        SetWindowTextW(window(), win32::widen(core_.properties().caption).c_str());
    }
    if (onPropertyChanged) onPropertyChanged(name);
}

void ButtonWindow::fontChanged(const FontSpec& font) {
    font_ = createFont(font, dpiOfWindow(window()));
    useFont(font_.get());
}

void ButtonWindow::trackMouseLeave() {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window(), 0};
    TrackMouseEvent(&track);
}

void ButtonWindow::moveFocus(bool backwards) {
    HWND next = GetNextDlgTabItem(form_, window(), backwards ? TRUE : FALSE);
    if (next != nullptr) SetFocus(next);
}

void ButtonWindow::processPendingEvents() {
    // What the user should see before the click's action: pending paints.
    UpdateWindow(form_);
}

void ButtonWindow::setHostEnabled(bool enabled) {
    if ((IsWindowEnabled(window()) != FALSE) != enabled) EnableWindow(window(), enabled);
    announceStateChange(window());
}

bool ButtonWindow::displayAsDefault() {
    const LRESULT id = SendMessageW(GetParent(window()), DM_GETDEFID, 0, 0);
    return HIWORD(id) == DC_HASDEFID && LOWORD(id) == GetDlgCtrlID(window());
}

void ButtonWindow::click() {
    notifyParent(BN_CLICKED);
}

void ButtonWindow::doubleClick() {
    notifyParent(BN_DOUBLECLICKED);
}

void ButtonWindow::focusChanged(bool gained) {
    if (gained) {
        core_.gotFocus();
    } else {
        core_.lostFocus();
    }
}

bool ButtonWindow::describe(AccessibleDescription& d) {
    d.role = ROLE_SYSTEM_PUSHBUTTON;
    d.name = win32::widen(withoutAccessKeyMarks(core_.properties().caption));
    d.defaultAction = L"Press";
    return true;
}

void ButtonWindow::defaultAction() {
    if (core_.enabled()) click();
}

void ButtonWindow::interceptedMessage(bool, bool&, intptr_t&, WindowMessage& message) {
    if (message.message == WM_MOUSELEAVE) {
        core_.mouseLeft();
    } else if (message.message == activationMessage_) {
        core_.formActivated(message.wParam != 0);
    }
}

void ButtonWindow::sizeChanged(int width, int height) {
    // At least 100 twips each way; no drawing while the size is corrected.
    const int minimum = MulDiv(100, static_cast<int>(dpiOfWindow(window())), 1440);
    if (!correcting_ && (width < minimum || height < minimum)) {
        const bool wasBusy = core_.busy();
        correcting_ = true;
        core_.setBusy(true);
        SetWindowPos(window(), nullptr, 0, 0, std::max(width, minimum), std::max(height, minimum),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        core_.setBusy(wasBusy);
        correcting_ = false;
        RECT client{};
        GetClientRect(window(), &client);
        width = client.right;
        height = client.bottom;
    }
    image_.resize(width, height);
    core_.setSize(width, height);
    if (!correcting_) core_.drawButton(core_.visualState());
}

LRESULT ButtonWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            sizeChanged(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_MOUSEMOVE:
            core_.mouseMove(buttonsOf(wParam), shiftOf(wParam),
                            static_cast<float>(GET_X_LPARAM(lParam)),
                            static_cast<float>(GET_Y_LPARAM(lParam)));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            SetCapture(window());
            if (message == WM_LBUTTONDOWN) SetFocus(window());
            core_.mouseDown(message == WM_LBUTTONDOWN   ? kLeftButton
                            : message == WM_RBUTTONDOWN ? kRightButton
                                                        : int16_t{4});
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            if ((wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0) ReleaseCapture();
            core_.mouseUp(message == WM_LBUTTONUP   ? kLeftButton
                          : message == WM_RBUTTONUP ? kRightButton
                                                    : int16_t{4});
            return 0;
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
            SetCapture(window());
            core_.doubleClick();
            return 0;
        case WM_KEYDOWN:
            core_.keyDown(static_cast<int>(wParam));
            return 0;
        case WM_KEYUP:
            core_.keyUp(static_cast<int>(wParam));
            return 0;
        case WM_GETDLGCODE:
            // Enter, Space and the arrows are the button's own.
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON | DLGC_WANTARROWS |
                   (lParam != 0 && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN &&
                            reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN
                        ? DLGC_WANTMESSAGE
                        : 0);
        case WM_ENABLE:
            if ((wParam != 0) != core_.enabled()) core_.setEnabled(wParam != 0);
            return 0;
        case BM_CLICK:
            // The platform's own press of a button (its dialog manager's
            // access keys send this): one Click, as the access key gives.
            core_.accessKey();
            return 0;
        case kAmbientChanged:
            core_.ambientChanged(static_cast<AmbientValue>(wParam) == AmbientValue::DisplayAsDefault
                                     ? "DisplayAsDefault"
                                     : "BackColor");
            return 0;
        default:
            return ControlWindow::handle(message, wParam, lParam);
    }
}

}  // namespace orvelle
