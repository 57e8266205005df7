#include "settings/dialog_parts_win32.h"

#include <commctrl.h>
#include <oleacc.h>
#include <windowsx.h>

#include "controls/access_key.h"
#include "controls/accessibility_win32.h"
#include "controls/control_messages_win32.h"
#include "platform/picture_win32.h"
#include "platform/text_win32.h"
#include "platform/win32_handles.h"

namespace orvelle {
namespace {

// Paints what the parent shows under child into dc.
void paintParentBackground(HWND child, HDC dc) {
    HWND parent = GetParent(child);
    POINT origin{0, 0};
    MapWindowPoints(child, parent, &origin, 1);
    POINT previous{};
    OffsetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
    SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

}  // namespace

void paintBuffered(HWND window, bool overParent, const std::function<void(HDC, RECT)>& draw) {
    win32::PaintDC dc(window);
    RECT client{};
    GetClientRect(window, &client);
    win32::UniqueMemoryDC memory(CreateCompatibleDC(dc.get()));
    win32::UniqueBitmap bitmap(CreateCompatibleBitmap(dc.get(), client.right, client.bottom));
    {
        win32::SelectedObject selected(memory.get(), bitmap.get());
        if (overParent) {
            paintParentBackground(window, memory.get());
        } else {
            FillRect(memory.get(), &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        }
        draw(memory.get(), client);
        BitBlt(dc.get(), 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
    }
}

namespace {

void drawTextIn(HDC dc, const std::wstring& text, RECT box, HFONT font, COLORREF colour,
                UINT format) {
    win32::SelectedObject selected(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    if ((format & DT_WORDBREAK) != 0) {
        // Wrapped text that would run out of its box: one line, the middle
        // of the path left out, so the file's name still shows.
        RECT needed = box;
        DrawTextW(dc, text.c_str(), -1, &needed, format | DT_CALCRECT);
        if (needed.bottom > box.bottom || needed.right > box.right) {
            format = (format & ~(DT_WORDBREAK | DT_EDITCONTROL)) | DT_SINGLELINE | DT_PATH_ELLIPSIS;
        }
    }
    DrawTextW(dc, text.c_str(), -1, &box, format);
}

}  // namespace

LRESULT describeAs(LPARAM description, LONG role, const std::wstring& name, LONG state) {
    auto* d = reinterpret_cast<AccessibleDescription*>(description);
    d->role = role;
    d->name = name;
    d->state = state;
    return 0;
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

int textWidth(HWND window, HFONT font, const std::wstring& text) {
    win32::WindowDC dc(window);
    win32::SelectedObject selected(dc.get(), font);
    RECT box{};
    DrawTextW(dc.get(), text.c_str(), -1, &box, DT_SINGLELINE | DT_CALCRECT);
    return box.right;
}

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
            paintBuffered(window(), true, [&](HDC dc, const RECT& client) {
                drawTextIn(dc, text_, client, font_, colour_, format_);
            });
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_GETOBJECT:
            return answerGetObject(window(), wParam, lParam);
        case kDescribeAccessible:
            return describeAs(lParam, ROLE_SYSTEM_STATICTEXT, text_);
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
            paintBuffered(window(), true, [&](HDC dc, const RECT&) {
                const RECT white{outline_.left + 1, outline_.top + 1, outline_.right + 1,
                                 outline_.bottom + 1};
                win32::UniqueBrush darkBrush(CreateSolidBrush(dark_));
                win32::UniqueBrush lightBrush(CreateSolidBrush(light_));
                FrameRect(dc, &outline_, darkBrush.get());
                FrameRect(dc, &white, lightBrush.get());
                drawTextIn(dc, L"BGM", title_, font_, text_, DT_CENTER | DT_TOP | DT_SINGLELINE);
            });
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        default:
            return WindowBase::handle(message, wParam, lParam);
    }
}

bool OptionRow::create(HWND parent, int id, const Layout& layout, const std::string& label,
                       HFONT font, HBITMAP empty, HBITMAP chosen) {
    label_ = label;
    emptyMark_ = empty;
    chosenMark_ = chosen;
    if (!createWindow(0, win32::widen(label).c_str(), WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent, {},
                      id)) {
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

void OptionRow::report(OptionInput input) {
    const WORD code = static_cast<WORD>(kOptionInput + static_cast<WORD>(input));
    SendMessageW(GetParent(window()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window()), code),
                 reinterpret_cast<LPARAM>(window()));
}

LRESULT OptionRow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            paintBuffered(window(), true, [&](HDC dc, const RECT&) {
                drawCentred(dc, chosen_ ? chosenMark_ : emptyMark_, layout_.mark);
                const std::wstring label = win32::widen(label_);
                drawTextIn(dc, label, layout_.label, font_, textColour_,
                           DT_LEFT | DT_TOP | DT_SINGLELINE);
                if (GetFocus() == window()) {
                    // The dotted rectangle around the label's text.
                    RECT text = layout_.label;
                    text.right = text.left + textWidth(window(), font_, label);
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
            if (PtInRect(&layout_.mark, at) || PtInRect(&layout_.label, at)) {
                report(OptionInput::Press);
            }
            return 0;
        }
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_RADIOBUTTON;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE) report(OptionInput::Space);
            if (wParam == VK_UP || wParam == VK_LEFT) report(OptionInput::Previous);
            if (wParam == VK_DOWN || wParam == VK_RIGHT) report(OptionInput::Next);
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(window(), nullptr, FALSE);
            if (message == WM_SETFOCUS) announceFocus(window());
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case kGetAccessKey: {
            const std::wstring key = win32::widen(accessKeyOf(label_));
            return key.size() == 1 ? key[0] : 0;
        }
        case kAccessKeyPressed:
            report(OptionInput::AccessKey);
            return 0;
        case WM_GETOBJECT:
            return answerGetObject(window(), wParam, lParam);
        case kDescribeAccessible:
            reinterpret_cast<AccessibleDescription*>(lParam)->defaultAction = L"Check";
            return describeAs(lParam, ROLE_SYSTEM_RADIOBUTTON,
                              win32::widen(withoutAccessKeyMarks(label_)),
                              chosen_ ? STATE_SYSTEM_CHECKED : 0);
        case kDoDefaultAction:
            report(OptionInput::DefaultAction);
            return 0;
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
            std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
            text.resize(static_cast<size_t>(
                GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
            reinterpret_cast<AccessibleDescription*>(lParam)->value = text;
            return describeAs(lParam, ROLE_SYSTEM_COMBOBOX, named->name);
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
