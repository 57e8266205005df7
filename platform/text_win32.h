// Text conversion at the Windows boundary: user-visible texts are UTF-8 in
// the sources and shown through the wide-character API; the settings file
// and the media commands hold the system's ANSI code page.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace orvelle::win32 {

inline std::wstring widen(std::string_view text, UINT codePage = CP_UTF8) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    if (n <= 0) return {};
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, out.data(), n);
    return out;
}

inline std::string narrow(std::wstring_view text, UINT codePage = CP_UTF8) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace orvelle::win32
