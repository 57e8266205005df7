#include "settings/dialog_parts_win32.h"

#include <windowsx.h>

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
    chosen_ = chosen;
    InvalidateRect(window(), nullptr, FALSE);
}

void OptionRow::setTextColour(COLORREF colour) {
    textColour_ = colour;
    InvalidateRect(window(), nullptr, FALSE);
}

LRESULT OptionRow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            paintBuffered(window(), [&](HDC dc, const RECT&) {
                drawCentred(dc, chosen_ ? chosenMark_ : emptyMark_, layout_.mark);
                drawTextIn(dc, label_, layout_.label, font_, textColour_,
                           DT_LEFT | DT_TOP | DT_SINGLELINE);
            });
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (PtInRect(&layout_.mark, at) || PtInRect(&layout_.label, at)) {
                SendMessageW(GetParent(window()), WM_COMMAND,
                             MAKEWPARAM(GetDlgCtrlID(window()), kOptionChosen),
                             reinterpret_cast<LPARAM>(window()));
            }
            return 0;
        }
        default:
            return WindowBase::handle(message, wParam, lParam);
    }
}

bool Banner::create(HWND parent, int id, const RECT& box, HCURSOR hand) {
    hand_ = hand;
    return createWindow(0, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, box.left, box.top,
                        box.right - box.left, box.bottom - box.top, parent, {}, id);
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
            EndPaint(window(), &ps);
            return 0;
        }
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
            if (pressed_ && PtInRect(&client, at)) {
                SendMessageW(GetParent(window()), WM_COMMAND,
                             MAKEWPARAM(GetDlgCtrlID(window()), BN_CLICKED),
                             reinterpret_cast<LPARAM>(window()));
            }
            pressed_ = false;
            return 0;
        }
        default:
            return WindowBase::handle(message, wParam, lParam);
    }
}

}  // namespace orvelle
