#include "settings/file_chooser_win32.h"

#include <commdlg.h>

#include "platform/text_win32.h"

namespace orvelle {

std::optional<std::wstring> chooseMusicFile(HWND owner, const std::wstring& folder,
                                            int32_t& lastResult) {
    // Name and title areas of 255 characters, as the dialog has always had.
    constexpr DWORD kArea = 255;
    std::wstring file(kArea, L'\0'), title(kArea, L'\0');
    const std::wstring filter =
        win32::widen(kFileFilterName) + L'\0' + win32::widen(kFileFilterPattern) + L'\0' + L'\0';
    const std::wstring heading = win32::widen(kFileChooserTitle);
    OPENFILENAMEW chooser{};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = owner;
    chooser.hInstance = GetModuleHandleW(nullptr);
    chooser.lpstrFilter = filter.c_str();
    chooser.lpstrFile = file.data();
    chooser.nMaxFile = kArea;
    chooser.lpstrFileTitle = title.data();
    chooser.nMaxFileTitle = kArea;
    chooser.lpstrInitialDir = folder.c_str();
    chooser.lpstrTitle = heading.c_str();
    lastResult = GetOpenFileNameW(&chooser);
    if (lastResult <= 0) return std::nullopt;
    return std::wstring(file.c_str());
}

std::optional<std::string> Win32PathEncoding::toAnsi(const std::u16string& path) {
    // No best fit: a character the code page lacks must not become another.
    const std::wstring wide(path.begin(), path.end());
    BOOL lost = FALSE;
    const int size = static_cast<int>(wide.size());
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), size, nullptr, 0,
                                      nullptr, &lost);
    if (n <= 0 || lost) return std::nullopt;
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), size, out.data(), n, nullptr,
                        &lost);
    return out;
}

std::optional<std::u16string> Win32PathEncoding::shortForm(const std::u16string& path) {
    const std::wstring wide(path.begin(), path.end());
    const DWORD needed = GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (needed == 0) return std::nullopt;
    std::wstring shortPath(needed, L'\0');
    const DWORD n = GetShortPathNameW(wide.c_str(), shortPath.data(), needed);
    if (n == 0 || n >= needed) return std::nullopt;
    shortPath.resize(n);
    return std::u16string(shortPath.begin(), shortPath.end());
}

}  // namespace orvelle
