#include "config/settings_file_win32.h"

#include <vector>

#include "platform/text_win32.h"

namespace orvelle {

std::string Win32SettingsPlatform::getString(const std::string& section, const std::string& key,
                                             const std::string& defaultValue, uint32_t bufferSize,
                                             const std::string& file) {
    std::string buffer(bufferSize, '\0');
    const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                             buffer.data(), bufferSize, file.c_str());
    buffer.resize(n);
    return buffer;
}

int32_t Win32SettingsPlatform::writeString(const std::string& section, const std::string& key,
                                           const std::string& value, const std::string& file) {
    // Section and key fields of 128 characters, as the callers pass them.
    return WritePrivateProfileStringA(section.substr(0, 127).c_str(), key.substr(0, 127).c_str(),
                                      value.c_str(), file.c_str());
}

bool canOpenForReading(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        SetLastError(0);
        return false;
    }
    CloseHandle(file);
    return true;
}

bool Win32SettingsPlatform::canOpenForReading(const std::string& path) {
    // The path is in the system's code page, as the settings file holds it.
    return orvelle::canOpenForReading(win32::widen(path, CP_ACP));
}

std::string Win32SettingsPlatform::programFolder() {
    return win32::narrow(programFolderWide(), CP_ACP);
}

LeadBytes Win32SettingsPlatform::leadBytes() {
    return systemLeadBytes();
}

std::wstring programFolderWide() {
    std::vector<wchar_t> path(MAX_PATH);
    DWORD n = 0;
    while ((n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
               path.size() &&
           path.size() < 32768) {
        path.resize(path.size() * 2);
    }
    std::wstring folder(path.data(), n);
    const size_t slash = folder.find_last_of(L'\\');
    if (slash == std::wstring::npos) return {};
    folder.resize(slash);
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    return folder;
}

LeadBytes systemLeadBytes() {
    LeadBytes lead;
    for (int b = 0x80; b <= 0xFF; ++b) {
        if (IsDBCSLeadByte(static_cast<BYTE>(b))) lead.set(static_cast<uint8_t>(b));
    }
    return lead;
}

}  // namespace orvelle
