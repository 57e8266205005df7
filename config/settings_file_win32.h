// The settings-file routines' platform on Windows: the private-profile
// functions, files opened for reading, the program's own folder, and the
// code page's lead bytes.
#pragma once

#include <windows.h>

#include <string>

#include "config/settings_file.h"

namespace orvelle {

class Win32SettingsPlatform : public virtual ProfileStore, public virtual FileProbe {
public:
    std::string getString(const std::string& section, const std::string& key,
                          const std::string& defaultValue, uint32_t bufferSize,
                          const std::string& file) override;
    int32_t writeString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& file) override;
    bool canOpenForReading(const std::string& path) override;
    std::string programFolder() override;
    LeadBytes leadBytes() override;
};

// The folder of the running program, in UTF-16 (so any folder name works):
// no trailing backslash except at the root of a drive.
std::wstring programFolderWide();

// True when the file opens for reading (a folder does not); nothing of the
// attempt remains, the thread's last error included.
bool canOpenForReading(const std::wstring& path);

// The lead bytes of the system's ANSI code page.
LeadBytes systemLeadBytes();

}  // namespace orvelle
