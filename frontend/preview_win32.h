// The preview: a borderless white window captioned "Preview Window", made a
// child of the screensaver host's pane and covering it exactly, with the
// image control Img_Prev showing the still picture at its own size from the
// top-left corner. The program ends once the pane is gone.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "platform/win32_handles.h"
#include "platform/window_win32.h"

namespace orvelle {

inline constexpr int kPreviewPictureResource = 101;

// What the image control shows at width x height: white, and the picture at
// its own size from the top-left corner, cut off where the area is smaller.
void paintPreview(HDC dc, int width, int height, HBITMAP picture);

class PreviewImage final : public win32::WindowBase<PreviewImage> {
public:
    static constexpr const char* kClassName = "Orvelle_Img_Prev";
    explicit PreviewImage(HBITMAP picture) : picture_(picture) {}
    bool create(HWND parent, int width, int height);

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HBITMAP picture_;
};

class PreviewWindow final : public win32::WindowBase<PreviewWindow> {
public:
    static constexpr const char* kClassName = "Zelkor_R";

    // Creates the window, makes it a child of the pane, covers the pane and
    // shows it. False when the pane is not a window.
    bool place(HWND pane);

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void destroyed() override;

private:
    win32::UniqueBitmap picture_;
    std::unique_ptr<PreviewImage> image_;
};

}  // namespace orvelle
