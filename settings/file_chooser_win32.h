// The settings dialog's file chooser (the platform's wide open-file dialog)
// and how a chosen path is put into the system's ANSI code page.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "settings/settings_model.h"

namespace orvelle {

// Asks for a music file, opening in folder; the chosen path, or nothing when
// the user cancels (or the chooser fails). The platform's result goes to
// lastResult.
std::optional<std::wstring> chooseMusicFile(HWND owner, const std::wstring& folder,
                                            int32_t& lastResult);

class Win32PathEncoding final : public PathEncoding {
public:
    std::optional<std::string> toAnsi(const std::u16string& path) override;
    std::optional<std::u16string> shortForm(const std::u16string& path) override;
};

}  // namespace orvelle
