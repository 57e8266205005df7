// The window base of the custom controls and of the settings dialog's parts:
// one C++ object per window (the platform's window base), a picture that
// the window shows, and the chores they all share: telling the parent,
// following the focus, answering screen readers and access keys. A control
// overrides the hooks it needs; the others do nothing.
#pragma once

#include <windows.h>

#include <string>

#include "controls/access_key.h"
#include "controls/accessibility_win32.h"
#include "controls/control_messages_win32.h"
#include "controls/gdi_canvas_win32.h"
#include "platform/text_win32.h"
#include "platform/window_win32.h"

namespace orvelle {

template <typename Derived>
class ControlWindow : public win32::WindowBase<Derived> {
public:
    using win32::WindowBase<Derived>::window;

    const DibImage& picture() const { return image_; }

protected:
    // WM_COMMAND to the parent with the control's identifier and this code.
    void notifyParent(WORD code) const {
        SendMessageW(GetParent(window()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window()), code),
                     reinterpret_cast<LPARAM>(window()));
    }
    // The font of the picture's text, which WM_GETFONT answers (not owned).
    void useFont(HFONT font) {
        font_ = font;
        image_.setFont(font);
    }

    // The focus came (true) or went; screen readers hear that it came.
    virtual void focusChanged(bool /*gained*/) {}
    // What a screen reader learns of the control; false: nothing of its
    // own, and the platform's proxy answers for it.
    virtual bool describe(AccessibleDescription& /*description*/) { return false; }
    virtual void defaultAction() {}
    // The text whose "&" marks the control's access key; empty: none.
    virtual std::string accessKeyText() const { return {}; }
    virtual void accessKeyPressed() {}

    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (auto answered = image_.answerPaint(window(), message, wParam)) return *answered;
        switch (message) {
            case WM_SETFOCUS:
            case WM_KILLFOCUS:
                focusChanged(message == WM_SETFOCUS);
                if (message == WM_SETFOCUS) announceFocus(window());
                return 0;
            case WM_GETFONT:
                return reinterpret_cast<LRESULT>(font_);
            case WM_GETOBJECT: {
                AccessibleDescription own;
                if (describe(own)) return answerGetObject(window(), wParam, lParam);
                break;
            }
            case kDescribeAccessible:
                describe(*reinterpret_cast<AccessibleDescription*>(lParam));
                return 0;
            case kDoDefaultAction:
                defaultAction();
                return 0;
            case kGetAccessKey: {
                const std::wstring key = win32::widen(accessKeyOf(accessKeyText()));
                return key.size() == 1 ? key[0] : 0;
            }
            case kAccessKeyPressed:
                accessKeyPressed();
                return 0;
            default:
                break;
        }
        return win32::WindowBase<Derived>::handle(message, wParam, lParam);
    }

    DibImage image_;

private:
    HFONT font_ = nullptr;
};

// A part drawn afresh for each paint: the picture is drawn over what the
// parent shows under it (a transparent part) or on its own, then shown in
// one copy. A change of the part's look asks for a paint.
template <typename Derived>
class PartWindow : public ControlWindow<Derived> {
public:
    using ControlWindow<Derived>::window;

    // The picture now, as the next paint draws it.
    void render() {
        RECT client{};
        GetClientRect(window(), &client);
        this->image_.resize(client.right, client.bottom);
        if (transparent_) this->image_.takeParentPicture(window());
        draw(this->image_);
    }

protected:
    explicit PartWindow(bool transparent) : transparent_(transparent) {}

    // The part's painter with its look.
    virtual void draw(Canvas& canvas) = 0;
    void invalidate() {
        if (window() != nullptr) InvalidateRect(window(), nullptr, FALSE);
    }

    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_PAINT) {
            win32::PaintDC dc(window());
            render();
            this->image_.show(dc.get());
            return 0;
        }
        return ControlWindow<Derived>::handle(message, wParam, lParam);
    }

private:
    bool transparent_;
};

}  // namespace orvelle
