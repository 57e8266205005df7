#include "frontend/preview_win32.h"

#include <algorithm>

#include "platform/names.h"
#include "platform/picture_win32.h"
#include "platform/text_win32.h"

namespace orvelle {
namespace {

constexpr UINT_PTR kPaneWatchTimer = 1;

}  // namespace

void paintPreview(HDC dc, int width, int height, HBITMAP picture) {
    RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (picture == nullptr) return;
    win32::UniqueMemoryDC source(CreateCompatibleDC(dc));
    if (!source) return;
    win32::SelectedObject selected(source.get(), picture);
    const SIZE size = win32::bitmapSize(picture);
    BitBlt(dc, 0, 0, std::min<int>(width, size.cx), std::min<int>(height, size.cy), source.get(), 0,
           0, SRCCOPY);
}

bool PreviewImage::create(HWND parent, int width, int height) {
    return createWindow(0, L"", WS_CHILD | WS_VISIBLE, 0, 0, width, height, parent);
}

LRESULT PreviewImage::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            const win32::PaintDC dc(window());
            RECT client{};
            GetClientRect(window(), &client);
            paintPreview(dc.get(), client.right, client.bottom, picture_);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        default:
            return WindowBase::handle(message, wParam, lParam);
    }
}

bool PreviewWindow::place(HWND pane) {
    if (pane == nullptr || !IsWindow(pane)) return false;
    RECT paneRect{};
    GetWindowRect(pane, &paneRect);
    // In pixels throughout: a pane of any size is covered.
    const int width = paneRect.right - paneRect.left;
    const int height = paneRect.bottom - paneRect.top;

    picture_ = win32::loadJpegResource(kPreviewPictureResource);
    const win32::WindowClassOptions options{0, nullptr,
                                            static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))};
    const std::wstring caption = win32::widen(names::kPreviewCaption);
    if (!createWindow(0, caption.c_str(), WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr,
                      options)) {
        return false;
    }
    // A child may not be a popup too: the popup bit gives way to the child bit.
    const LONG style = GetWindowLongA(window(), GWL_STYLE);
    SetWindowLongA(window(), GWL_STYLE, (style & ~WS_POPUP) | WS_CHILD);
    SetParent(window(), pane);
    MoveWindow(window(), 0, 0, width, height, FALSE);

    image_ = std::make_unique<PreviewImage>(picture_.get());
    image_->create(window(), width, height);

    ShowWindow(window(), SW_SHOWNA);
    // The pane may vanish without telling its child (a host that just exits).
    SetTimer(window(), kPaneWatchTimer, 500, nullptr);
    return true;
}

LRESULT PreviewWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kPaneWatchTimer && !IsWindow(GetParent(window())))
                DestroyWindow(window());
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return WindowBase::handle(message, wParam, lParam);
    }
}

void PreviewWindow::destroyed() {
    // A host process that exits sends only WM_NCDESTROY.
    PostQuitMessage(0);
}

}  // namespace orvelle
