#include "controls/frame_win32.h"

#include "controls/control_messages_win32.h"

namespace orvelle {

FrameWindow::FrameWindow(Colour ambientBackColour) : ambient_(ambientBackColour), control_(*this) {}

bool FrameWindow::create(HWND parent, int x, int y, int width, int height, int id) {
    return createWindow(WS_EX_CONTROLPARENT, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, x, y,
                        width, height, parent, {}, id);
}

void FrameWindow::propertyChanged(const char* name) {
    if (onPropertyChanged) onPropertyChanged(name);
}

void FrameWindow::paint(const FrameProperties& properties) {
    drawFrame(image_, properties, ambient_);
    // Children that show the frame through them repaint too.
    if (window() != nullptr) {
        RedrawWindow(window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
}

LRESULT FrameWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            image_.resize(LOWORD(lParam), HIWORD(lParam));
            control_.sizeChanged();
            return 0;
        case kAmbientChanged:
            if (static_cast<AmbientValue>(wParam) == AmbientValue::BackColour) {
                ambient_ = static_cast<Colour>(lParam);
            }
            control_.ambientChanged();
            return 0;
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            // The controls on the frame report to the frame's container.
            return SendMessageW(GetParent(window()), message, wParam, lParam);
        default:
            return ControlWindow::handle(message, wParam, lParam);
    }
}

}  // namespace orvelle
