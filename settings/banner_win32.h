// A banner of the settings dialog: black, showing one picture centred, a
// pointing hand over it; a link to the home page (BN_CLICKED to the parent
// when it opens), by the portable link behaviour. To a screen reader, a link
// with a name and the address it opens.
#pragma once

#include <windows.h>

#include <string>

#include "platform/window_win32.h"
#include "settings/dialog_behaviour.h"

namespace orvelle {

class Banner final : public win32::WindowBase<Banner> {
public:
    static constexpr const char* kClassName = "Orvelle_Banner";
    bool create(HWND parent, int id, const RECT& box, HCURSOR hand, const std::wstring& name,
                const std::wstring& address);
    void show(HBITMAP picture);

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void open();

    BannerLink link_;
    HBITMAP picture_ = nullptr;
    HCURSOR hand_ = nullptr;
    std::wstring name_;
    std::wstring address_;
};

}  // namespace orvelle
