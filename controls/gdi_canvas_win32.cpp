#include "controls/gdi_canvas_win32.h"

#include <algorithm>
#include <cmath>

#include "platform/text_win32.h"

namespace orvelle {

static_assert(systemColours::kHighlight == COLOR_HIGHLIGHT &&
              systemColours::kHighlightText == COLOR_HIGHLIGHTTEXT &&
              systemColours::kButtonFace == COLOR_BTNFACE &&
              systemColours::kGrayText == COLOR_GRAYTEXT &&
              systemColours::kButtonText == COLOR_BTNTEXT);

namespace {

HGDIOBJ fontOrDefault(HFONT font) {
    return font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT);
}

}  // namespace

win32::UniqueFont createFont(const FontSpec& font, UINT dpi) {
    const auto height = std::lround(font.points * static_cast<float>(dpi) / 72.0f);
    return win32::UniqueFont(CreateFontW(
        -static_cast<int>(height), 0, 0, 0, font.weight, font.italic, font.underline,
        font.strikethrough, static_cast<BYTE>(font.charset), OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, win32::widen(font.face).c_str()));
}

COLORREF toColorRef(Colour colour) {
    return isSystemColour(colour) ? GetSysColor(static_cast<int>(colour & 0xFF))
                                  : static_cast<COLORREF>(colour & 0xFFFFFF);
}

DibImage::~DibImage() {
    if (dc_ && originalBitmap_ != nullptr) SelectObject(dc_.get(), originalBitmap_);
}

int textWidthIn(HFONT font, std::string_view utf8) {
    const std::wstring text = win32::widen(utf8);
    win32::WindowDC screen(nullptr);
    win32::SelectedObject selected(screen.get(), fontOrDefault(font));
    RECT box{};
    DrawTextW(screen.get(), text.c_str(), static_cast<int>(text.size()), &box,
              DT_SINGLELINE | DT_CALCRECT);
    return box.right;
}

void DibImage::resize(int width, int height) {
    if (bitmap_ && width == width_ && height == height_) return;
    if (dc_ && originalBitmap_ != nullptr) SelectObject(dc_.get(), originalBitmap_);
    originalBitmap_ = nullptr;
    bitmap_.reset();
    bits_ = nullptr;
    width_ = width > 0 && height > 0 ? width : 0;
    height_ = width > 0 && height > 0 ? height : 0;
    if (!dc_) dc_.reset(CreateCompatibleDC(nullptr));
    if (!dc_ || width_ == 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    if (!bitmap_) {
        width_ = height_ = 0;
        bits_ = nullptr;
        return;
    }
    originalBitmap_ = SelectObject(dc_.get(), bitmap_.get());
}

const uint32_t* DibImage::bits() const {
    GdiFlush();
    return static_cast<const uint32_t*>(bits_);
}

void DibImage::takeParentPicture(HWND window) {
    if (width_ == 0) return;
    HWND parent = GetParent(window);
    POINT origin{0, 0};
    MapWindowPoints(window, parent, &origin, 1);
    POINT previous{};
    OffsetViewportOrgEx(dc_.get(), -origin.x, -origin.y, &previous);
    SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_.get()), PRF_CLIENT);
    SetViewportOrgEx(dc_.get(), previous.x, previous.y, nullptr);
}

void DibImage::show(HDC target, int x, int y) const {
    if (width_ > 0) BitBlt(target, x, y, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

std::optional<LRESULT> DibImage::answerPaint(HWND window, UINT message, WPARAM wParam) const {
    switch (message) {
        case WM_PAINT: {
            win32::PaintDC dc(window);
            show(dc.get());
            return 0;
        }
        case WM_PRINTCLIENT:
            show(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the image covers the whole window
        default:
            return std::nullopt;
    }
}

void DibImage::clear(Colour colour) {
    fillRect({0, 0, width_, height_}, colour);
}

template <typename Draw>
void DibImage::withPenAndBrush(Draw&& draw) {
    if (width_ == 0) return;
    win32::UniquePen pen(CreatePen(PS_SOLID, 1, toColorRef(pen_)));
    win32::UniqueBrush brush(hollow_ ? nullptr : CreateSolidBrush(toColorRef(brush_)));
    win32::SelectedObject selectedPen(dc_.get(), pen.get());
    win32::SelectedObject selectedBrush(dc_.get(),
                                        hollow_ ? GetStockObject(NULL_BRUSH) : brush.get());
    draw();
}

void DibImage::rectangle(int left, int top, int right, int bottom) {
    withPenAndBrush([&] { Rectangle(dc_.get(), left, top, right, bottom); });
}

void DibImage::roundRect(int left, int top, int right, int bottom, int ellipseWidth,
                         int ellipseHeight) {
    withPenAndBrush(
        [&] { RoundRect(dc_.get(), left, top, right, bottom, ellipseWidth, ellipseHeight); });
}

Colour DibImage::getPixel(int x, int y) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kInvalidColour;
    return GetPixel(dc_.get(), x, y);
}

void DibImage::setPixelV(int x, int y, Colour colour) {
    if (width_ > 0) SetPixelV(dc_.get(), x, y, toColorRef(colour));
}

void DibImage::line(int x1, int y1, int x2, int y2, Colour colour) {
    if (width_ == 0) return;
    win32::UniquePen pen(CreatePen(PS_SOLID, 1, toColorRef(colour)));
    win32::SelectedObject selected(dc_.get(), pen.get());
    MoveToEx(dc_.get(), x1, y1, nullptr);
    LineTo(dc_.get(), x2, y2);
}

void DibImage::fillRect(const CanvasRect& rect, Colour colour) {
    if (width_ == 0) return;
    win32::UniqueBrush brush(CreateSolidBrush(toColorRef(colour)));
    const RECT r{rect.left, rect.top, rect.right, rect.bottom};
    FillRect(dc_.get(), &r, brush.get());
}

void DibImage::drawText(std::string_view utf8, const CanvasRect& rect, Colour colour,
                        TextFormat format) {
    if (width_ == 0) return;
    // The wide call: the text is shown whatever the system's code page.
    const std::wstring text = win32::widen(utf8);
    RECT r{rect.left, rect.top, rect.right, rect.bottom};
    UINT flags = (format & textFormat::kWrap) != 0 ? DT_WORDBREAK | DT_EDITCONTROL : DT_SINGLELINE;
    if ((format & textFormat::kCentre) != 0) flags |= DT_CENTER;
    if ((format & textFormat::kMiddle) != 0) flags |= DT_VCENTER;
    if ((format & textFormat::kNoPrefix) != 0) flags |= DT_NOPREFIX;
    win32::SelectedObject font(dc_.get(), fontOrDefault(font_));
    SetTextColor(dc_.get(), toColorRef(colour));
    SetBkMode(dc_.get(), TRANSPARENT);
    const int length = static_cast<int>(text.size());
    if ((flags & DT_WORDBREAK) != 0) {
        RECT needed = r;
        DrawTextW(dc_.get(), text.c_str(), length, &needed, flags | DT_CALCRECT);
        if (needed.bottom > r.bottom || needed.right > r.right) {
            flags = (flags & ~(DT_WORDBREAK | DT_EDITCONTROL)) | DT_SINGLELINE | DT_PATH_ELLIPSIS;
        }
    }
    DrawTextW(dc_.get(), text.c_str(), length, &r, flags);
}

int DibImage::textWidth(std::string_view utf8) {
    return textWidthIn(font_, utf8);
}

void DibImage::drawPicture(const Picture& picture, int x, int y) {
    HBITMAP bitmap = pictures_ != nullptr ? pictures_->bitmap(picture.id) : nullptr;
    if (width_ == 0 || bitmap == nullptr) return;
    const SIZE size = win32::bitmapSize(bitmap);
    win32::UniqueMemoryDC source(CreateCompatibleDC(dc_.get()));
    win32::SelectedObject selected(source.get(), bitmap);
    BitBlt(dc_.get(), x, y, std::min<int>(size.cx, picture.width),
           std::min<int>(size.cy, picture.height), source.get(), 0, 0, SRCCOPY);
}

void DibImage::drawFocusRect(const CanvasRect& rect) {
    if (width_ == 0) return;
    const RECT r{rect.left, rect.top, rect.right, rect.bottom};
    SetTextColor(dc_.get(), 0);
    DrawFocusRect(dc_.get(), &r);
}

}  // namespace orvelle
