#include "settings/dialog_parts_win32.h"

#include <commctrl.h>
#include <oleacc.h>
#include <windowsx.h>

#include "controls/accessibility_win32.h"
#include "controls/button.h"
#include "controls/control_messages_win32.h"
#include "platform/picture_win32.h"
#include "platform/text_win32.h"
#include "platform/win32_handles.h"

namespace orvelle {

void paintParentBackground(HWND child, HDC dc) {
    HWND parent = GetParent(child);
    POINT origin{0, 0};
    MapWindowPoints(child, parent, &origin, 1);
    POINT previous{};
    OffsetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
    SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

void drawCentred(HDC dc, HBITMAP bitmap, const RECT& box) {
    if (bitmap == nullptr) return;
    const SIZE size = win32::bitmapSize(bitmap);
    win32::UniqueMemoryDC source(CreateCompatibleDC(dc));
    win32::SelectedObject selected(source.get(), bitmap);
    const int x = box.left + (box.right - box.left - size.cx) / 2;
    const int y = box.top + (box.bottom - box.top - size.cy) / 2;
    BitBlt(dc, x, y, size.cx, size.cy, source.get(), 0, 0, SRCCOPY);
}

namespace {

// The usual double-buffered paint: the content into memory, then at once.
template <typename Draw>
void paintBuffered(HWND window, Draw&& draw) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client{};
    GetClientRect(window, &client);
    win32::UniqueMemoryDC memory(CreateCompatibleDC(dc));
    win32::UniqueGdiObject bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
    {
        win32::SelectedObject selected(memory.get(), bitmap.get());
        paintParentBackground(window, memory.get());
        draw(memory.get(), client);
        BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
    }
    EndPaint(window, &ps);
}

void drawTextIn(HDC dc, const std::wstring& text, RECT box, HFONT font, COLORREF colour,
                UINT format) {
    win32::SelectedObject selected(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
}

}  // namespace

bool TransparentText::create(HWND parent, int id, const RECT& box, const std::string& text,
                             HFONT font, UINT format) {
    text_ = win32::widen(text);
    font_ = font;
    format_ = format;
    return createWindow(0, text_.c_str(), WS_CHILD | WS_VISIBLE, box.left, box.top,
                        box.right - box.left, box.bottom - box.top, parent, {}, id);
}

void TransparentText::setText(const std::string& text) {
    text_ = win32::widen(text);
    SetWindowTextW(window(), text_.c_str());
    InvalidateRect(window(), nullptr, FALSE);
}

void TransparentText::setFont(HFONT font) {
    font_ = font;
    InvalidateRect(window(), nullptr, FALSE);
}

void TransparentText::setColour(COLORREF colour) {
    colour_ = colour;
    InvalidateRect(window(), nullptr, FALSE);
}

LRESULT TransparentText::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            paintBuffered(window(), [&](HDC dc, const RECT& client) {
                drawTextIn(dc, text_, client, font_, colour_, format_);
            });
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_GETOBJECT:
            return answerGetObject(window(), wParam, lParam);
        case kDescribeAccessible: {
            auto* d = reinterpret_cast<AccessibleDescription*>(lParam);
            d->role = ROLE_SYSTEM_STATICTEXT;
            d->name = text_;
            return 0;
        }
        default:
            return WindowBase::handle(message, wParam, lParam);
    }
}

bool TitleBox::create(HWND parent, const RECT& box, const RECT& titleBox, HFONT font) {
    if (!createWindow(0, L"BGM", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent)) return false;
    place(box, titleBox, font);
    return true;
}

void TitleBox::place(const RECT& box, const RECT& titleBox, HFONT font) {
    outline_ = {0, 0, box.right - box.left, box.bottom - box.top};
    title_ = titleBox;
    font_ = font;
    // One pixel more each way: the white outline.
    MoveWindow(window(), box.left, box.top, outline_.right + 1, outline_.bottom + 1, TRUE);
}

void TitleBox::setColours(COLORREF dark, COLORREF light, COLORREF text) {
    dark_ = dark;
    light_ = light;
    text_ = text;
    InvalidateRect(window(), nullptr, FALSE);
}

LRESULT TitleBox::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            paintBuffered(window(), [&](HDC dc, const RECT&) {
                const RECT white{outline_.left + 1, outline_.top + 1, outline_.right + 1,
                                 outline_.bottom + 1};
                win32::UniqueGdiObject darkBrush(CreateSolidBrush(dark_));
                win32::UniqueGdiObject lightBrush(CreateSolidBrush(light_));
                FrameRect(dc, &outline_, static_cast<HBRUSH>(darkBrush.get()));
                FrameRect(dc, &white, static_cast<HBRUSH>(lightBrush.get()));
                drawTextIn(dc, L"BGM", title_, font_, text_, DT_CENTER | DT_TOP | DT_SINGLELINE);
            });
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        default:
            return WindowBase::handle(message, wParam, lParam);
    }
}

bool OptionRow::create(HWND parent, int id, const Layout& layout, const std::string& label,
                       HFONT font, HBITMAP empty, HBITMAP chosen) {
    label_ = win32::widen(label);
    emptyMark_ = empty;
    chosenMark_ = chosen;
    if (!createWindow(0, label_.c_str(), WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent, {}, id)) {
        return false;
    }
    place(layout, font);
    return true;
}

void OptionRow::place(const Layout& layout, HFONT font) {
    layout_ = layout;
    font_ = font;
    MoveWindow(window(), layout.box.left, layout.box.top, layout.box.right - layout.box.left,
               layout.box.bottom - layout.box.top, TRUE);
}

void OptionRow::setChosen(bool chosen) {
    if (chosen_ == chosen) return;
    chosen_ = chosen;
    InvalidateRect(window(), nullptr, FALSE);
    announceStateChange(window());
}

void OptionRow::setTextColour(COLORREF colour) {
    textColour_ = colour;
    InvalidateRect(window(), nullptr, FALSE);
}

void OptionRow::notify(WORD code) {
    SendMessageW(GetParent(window()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window()), code),
                 reinterpret_cast<LPARAM>(window()));
}

LRESULT OptionRow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            paintBuffered(window(), [&](HDC dc, const RECT&) {
                drawCentred(dc, chosen_ ? chosenMark_ : emptyMark_, layout_.mark);
                drawTextIn(dc, label_, layout_.label, font_, textColour_,
                           DT_LEFT | DT_TOP | DT_SINGLELINE);
                if (GetFocus() == window()) {
                    // The dotted rectangle around the label's text.
                    RECT text = layout_.label;
                    win32::SelectedObject selected(dc, font_);
                    DrawTextW(dc, label_.c_str(), -1, &text, DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
                    InflateRect(&text, 1, 0);
                    IntersectRect(&text, &text, &layout_.label);
                    SetTextColor(dc, 0);
                    DrawFocusRect(dc, &text);
                }
            });
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (PtInRect(&layout_.mark, at) || PtInRect(&layout_.label, at)) notify(kOptionChosen);
            return 0;
        }
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_RADIOBUTTON;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE) notify(kOptionChosen);
            if (wParam == VK_UP || wParam == VK_LEFT) notify(kOptionPrevious);
            if (wParam == VK_DOWN || wParam == VK_RIGHT) notify(kOptionNext);
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(window(), nullptr, FALSE);
            if (message == WM_SETFOCUS) announceFocus(window());
            return 0;
        case kGetAccessKey: {
            const std::wstring key = win32::widen(accessKeyOf(win32::narrow(label_)));
            return key.size() == 1 ? key[0] : 0;
        }
        case kAccessKeyPressed:
            SetFocus(window());
            notify(kOptionChosen);
            return 0;
        case WM_GETOBJECT:
            return answerGetObject(window(), wParam, lParam);
        case kDescribeAccessible: {
            auto* d = reinterpret_cast<AccessibleDescription*>(lParam);
            d->role = ROLE_SYSTEM_RADIOBUTTON;
            d->name = withoutAccessKeyMarks(label_);
            d->state = chosen_ ? STATE_SYSTEM_CHECKED : 0;
            d->defaultAction = L"Check";
            return 0;
        }
        case kDoDefaultAction:
            notify(kOptionChosen);
            return 0;
        default:
            return WindowBase::handle(message, wParam, lParam);
    }
}

bool Banner::create(HWND parent, int id, const RECT& box, HCURSOR hand, const std::wstring& name,
                    const std::wstring& address) {
    hand_ = hand;
    name_ = name;
    address_ = address;
    return createWindow(0, name.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP, box.left, box.top,
                        box.right - box.left, box.bottom - box.top, parent, {}, id);
}

void Banner::click() {
    SendMessageW(GetParent(window()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window()), BN_CLICKED),
                 reinterpret_cast<LPARAM>(window()));
}

void Banner::show(HBITMAP picture) {
    picture_ = picture;
    InvalidateRect(window(), nullptr, FALSE);
}

LRESULT Banner::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window(), &ps);
            RECT client{};
            GetClientRect(window(), &client);
            FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            drawCentred(dc, picture_, client);
            if (GetFocus() == window()) {
                InflateRect(&client, -1, -1);
                SetTextColor(dc, RGB(255, 255, 255));
                DrawFocusRect(dc, &client);
            }
            EndPaint(window(), &ps);
            return 0;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(window(), nullptr, FALSE);
            if (message == WM_SETFOCUS) announceFocus(window());
            return 0;
        case WM_GETDLGCODE:
            return lParam != 0 && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN &&
                           reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN
                       ? DLGC_WANTMESSAGE
                       : 0;
        case WM_KEYDOWN:
            if (wParam == VK_RETURN || wParam == VK_SPACE) click();
            return 0;
        case WM_GETOBJECT:
            return answerGetObject(window(), wParam, lParam);
        case kDescribeAccessible: {
            auto* d = reinterpret_cast<AccessibleDescription*>(lParam);
            d->role = ROLE_SYSTEM_LINK;
            d->name = name_;
            d->value = address_;
            d->state = STATE_SYSTEM_LINKED;
            d->defaultAction = L"Jump";
            return 0;
        }
        case kDoDefaultAction:
            click();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SETCURSOR:
            SetCursor(hand_);
            return TRUE;
        case WM_LBUTTONDOWN:
            pressed_ = true;
            SetCapture(window());
            return 0;
        case WM_LBUTTONUP: {
            ReleaseCapture();
            RECT client{};
            GetClientRect(window(), &client);
            const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (pressed_ && PtInRect(&client, at)) click();
            pressed_ = false;
            return 0;
        }
        default:
            return WindowBase::handle(message, wParam, lParam);
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
            d->role = ROLE_SYSTEM_COMBOBOX;
            d->name = named->name;
            std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
            text.resize(static_cast<size_t>(
                GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
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
