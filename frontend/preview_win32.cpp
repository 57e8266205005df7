#include "frontend/preview_win32.h"

#include <ocidl.h>
#include <olectl.h>

namespace orvelle {
namespace {

constexpr UINT_PTR kPaneWatchTimer = 1;

}  // namespace

win32::UniqueGdiObject loadPreviewPicture() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(kPreviewPictureResource),
                                   MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (resource == nullptr) return {};
    const DWORD size = SizeofResource(instance, resource);
    const void* bytes = LockResource(LoadResource(instance, resource));
    if (bytes == nullptr || size == 0) return {};

    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory == nullptr) return {};
    if (void* target = GlobalLock(memory)) {
        CopyMemory(target, bytes, size);
        GlobalUnlock(memory);
    }
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return {};
    }
    IPicture* picture = nullptr;
    const HRESULT loaded = OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                                          reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(loaded) || picture == nullptr) return {};

    // Keep a bitmap of our own: the picture object owns its handle.
    win32::UniqueGdiObject copy;
    OLE_HANDLE handle = 0;
    if (SUCCEEDED(picture->get_Handle(&handle)) && handle != 0) {
        copy.reset(CopyImage(reinterpret_cast<HANDLE>(static_cast<uintptr_t>(handle)), IMAGE_BITMAP,
                             0, 0, LR_CREATEDIBSECTION));
    }
    picture->Release();
    return copy;
}

void paintPreview(HDC dc, int width, int height, HBITMAP picture) {
    RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (picture == nullptr) return;
    win32::UniqueMemoryDC source(CreateCompatibleDC(dc));
    if (!source) return;
    win32::SelectedObject selected(source.get(), picture);
    BitBlt(dc, 0, 0, width < kPreviewPictureWidth ? width : kPreviewPictureWidth,
           height < kPreviewPictureHeight ? height : kPreviewPictureHeight, source.get(), 0, 0,
           SRCCOPY);
}

bool PreviewImage::create(HWND parent, int width, int height) {
    return createWindow(0, L"", WS_CHILD | WS_VISIBLE, 0, 0, width, height, parent);
}

LRESULT PreviewImage::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window(), &ps);
            RECT client{};
            GetClientRect(window(), &client);
            paintPreview(dc, client.right, client.bottom, picture_);
            EndPaint(window(), &ps);
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
    lastResult_ = GetWindowRect(pane, &paneRect);
    // In pixels throughout: a pane of any size is covered.
    const int width = paneRect.right - paneRect.left;
    const int height = paneRect.bottom - paneRect.top;

    picture_ = loadPreviewPicture();
    if (!createWindow(0, L"Preview Window", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr,
                      static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)))) {
        return false;
    }
    // A child may not be a popup too: the popup bit gives way to the child bit.
    const LONG style = GetWindowLongA(window(), GWL_STYLE);
    lastResult_ = SetWindowLongA(window(), GWL_STYLE, (style & ~WS_POPUP) | WS_CHILD);
    lastResult_ = static_cast<int32_t>(reinterpret_cast<intptr_t>(SetParent(window(), pane)));
    MoveWindow(window(), 0, 0, width, height, FALSE);

    imageOwner_ = std::make_unique<PreviewImage>(static_cast<HBITMAP>(picture_.get()));
    imageOwner_->create(window(), width, height);
    image_ = imageOwner_.get();

    ShowWindow(window(), SW_SHOWNA);
    // The pane may vanish without telling its child (a host that just exits).
    SetTimer(window(), kPaneWatchTimer, 500, nullptr);
    return true;
}

void PreviewWindow::unload() {
    lastResult_ = PostMessageA(window(), WM_CLOSE, 0, 0);
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
