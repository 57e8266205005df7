// The preview form: a borderless white window captioned "Preview Window",
// made a child of the screensaver host's pane and covering it exactly, with
// the image control Img_Prev showing the still picture at its own size from
// the top-left corner. The program ends once the pane is gone.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "platform/win32_handles.h"
#include "platform/window_win32.h"

namespace orvelle {

inline constexpr int kPreviewPictureWidth = 152;
inline constexpr int kPreviewPictureHeight = 112;
inline constexpr int kPreviewPictureResource = 101;

// Decodes the still picture stored with the program (a JPEG resource) with
// the platform's picture loader. Null when it cannot be had.
win32::UniqueGdiObject loadPreviewPicture();

// What the image control shows at width x height: white, and the picture at
// its own size from the top-left corner, cut off where the area is smaller.
void paintPreview(HDC dc, int width, int height, HBITMAP picture);

class PreviewImage final : public win32::WindowBase<PreviewImage> {
public:
    static constexpr const wchar_t* kClassName = L"Orvelle_Img_Prev";
    explicit PreviewImage(HBITMAP picture) : picture_(picture) {}
    bool create(HWND parent, int width, int height);

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HBITMAP picture_;
};

class PreviewWindow final : public win32::WindowBase<PreviewWindow> {
public:
    static constexpr const wchar_t* kClassName = L"Zelkor_R";

    explicit PreviewWindow(int32_t& lastResult) : lastResult_(lastResult) {}
    // Loads the form, makes it a child of the pane, covers the pane and
    // shows it. False when the pane is not a window.
    bool place(HWND pane);
    // Unload: asks the form's own window to close.
    void unload();

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void destroyed() override;

private:
    int32_t& lastResult_;
    win32::UniqueGdiObject picture_;
    PreviewImage* image_ = nullptr;
    std::unique_ptr<PreviewImage> imageOwner_;
};

}  // namespace orvelle
