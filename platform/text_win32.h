// Text conversion at the Windows boundary: user-visible texts are UTF-8 in
// the sources and shown through the wide-character API.
#pragma once

#include <windows.h>

#include <string>

namespace orvelle::win32 {

inline std::wstring widen(const char* utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    if (n <= 1) return {};
    std::wstring out(static_cast<size_t>(n - 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, out.data(), n);
    return out;
}

}  // namespace orvelle::win32
