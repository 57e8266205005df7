// The canvas on Windows: a 32-bit top-down DIB section selected into a
// memory DC of its own, drawn on through GDI. Every pen and brush lives only
// for the call that draws with it. This is the one place where the controls
// and the dialog's parts meet GDI's drawing calls.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "controls/canvas.h"
#include "controls/property_store.h"
#include "platform/picture_win32.h"
#include "platform/win32_handles.h"

namespace orvelle {

class DibImage final : public Canvas {
public:
    DibImage() = default;
    ~DibImage() override;
    DibImage(const DibImage&) = delete;
    DibImage& operator=(const DibImage&) = delete;

    // A new image of this size (0 x 0 gives an empty one); the content is
    // undefined until drawn. The same size again keeps the image as it is.
    void resize(int width, int height);
    HDC dc() const { return dc_.get(); }
    // The pixels as 0x00RRGGBB, row by row from the top; null when empty.
    const uint32_t* bits() const;
    // The font for the text (not owned).
    void setFont(HFONT font) { font_ = font; }
    // Where drawPicture finds the pictures (not owned); none draws nothing.
    void usePictures(win32::PictureStore* pictures) { pictures_ = pictures; }
    // The image becomes what window's parent shows under window: the parent
    // draws itself into it (WM_PRINTCLIENT).
    void takeParentPicture(HWND window);
    // Copies the image to a device context at (x, y).
    void show(HDC target, int x = 0, int y = 0) const;
    // Answers the paint messages (WM_PAINT, WM_PRINTCLIENT, WM_ERASEBKGND)
    // of a window that shows this image and never draws on paint; nothing
    // for any other message.
    std::optional<LRESULT> answerPaint(HWND window, UINT message, WPARAM wParam) const;

    int width() const override { return width_; }
    int height() const override { return height_; }
    void clear(Colour colour) override;
    void setPen(Colour colour) override { pen_ = colour; }
    void setSolidBrush(Colour colour) override {
        brush_ = colour;
        hollow_ = false;
    }
    void setHollowBrush() override { hollow_ = true; }
    void rectangle(int left, int top, int right, int bottom) override;
    void roundRect(int left, int top, int right, int bottom, int ellipseWidth,
                   int ellipseHeight) override;
    Colour getPixel(int x, int y) override;
    void setPixelV(int x, int y, Colour colour) override;
    void line(int x1, int y1, int x2, int y2, Colour colour) override;
    void fillRect(const CanvasRect& rect, Colour colour) override;
    void drawText(std::string_view utf8, const CanvasRect& rect, Colour colour,
                  TextFormat format) override;
    int textWidth(std::string_view utf8) override;
    void drawPicture(const Picture& picture, int x, int y) override;
    void drawFocusRect(const CanvasRect& rect) override;

private:
    template <typename Draw>
    void withPenAndBrush(Draw&& draw);

    int width_ = 0;
    int height_ = 0;
    win32::UniqueMemoryDC dc_;
    win32::UniqueBitmap bitmap_;
    HGDIOBJ originalBitmap_ = nullptr;
    void* bits_ = nullptr;
    HFONT font_ = nullptr;
    win32::PictureStore* pictures_ = nullptr;
    Colour pen_ = 0;
    Colour brush_ = 0xFFFFFF;
    bool hollow_ = false;
};

// A colour as GDI takes it: a system-colour reference resolved.
COLORREF toColorRef(Colour colour);

// The font of a control's property, at a DPI: its size in points is scaled
// to pixels (rounded half away from zero).
win32::UniqueFont createFont(const FontSpec& font, UINT dpi);

// The width of a text on one line in a font (null: the default GUI font),
// "&" marks taken as the platform draws them.
int textWidthIn(HFONT font, std::string_view utf8);

}  // namespace orvelle
