// Fakes of the front end's platform that keep the settings file in memory
// with the portable INI rules and record what the start-up routine and the
// saver-run form ask for.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "frontend/saver_run.h"
#include "frontend/startup.h"
#include "platform/ini_file.h"

namespace orvelle::testing {

// The profile functions over one in-memory file, plus files and a folder.
class FakeSettingsPlatform : public virtual ProfileStore, public virtual FileProbe {
public:
    IniDocument file;
    bool fileExists = false;
    bool writable = true;
    std::set<std::string> readableFiles;
    std::string folder = "C:\\Program Files\\Orvelle";
    std::vector<std::string> writes;  // "key=value" in order

    std::string getString(const std::string& section, const std::string& key,
                          const std::string& defaultValue, uint32_t bufferSize,
                          const std::string& path) override {
        if (!fileExists || path != "C:\\pellan_temp\\Orvelle.ini") return defaultValue;
        std::string value = file.get(section, key).value_or(defaultValue);
        if (value.size() > bufferSize - 1) value.resize(bufferSize - 1);
        return value;
    }
    int32_t writeString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string&) override {
        writes.push_back(key + "=" + value);
        if (!writable) return 0;
        file.set(section, key, value);
        fileExists = true;
        return 1;
    }
    bool canOpenForReading(const std::string& path) override {
        return readableFiles.count(path) > 0;
    }
    std::string programFolder() override { return folder; }
};

class RecordingStartupPlatform final : public StartupPlatform, public FakeSettingsPlatform {
public:
    std::set<std::string> windows;
    bool previewPlaceable = true;
    int screenW = 1920;
    int screenH = 1080;
    std::vector<std::string> calls;

    using FakeSettingsPlatform::canOpenForReading;
    using FakeSettingsPlatform::getString;
    using FakeSettingsPlatform::programFolder;
    using FakeSettingsPlatform::writeString;

    bool windowExists(const std::string& caption) override {
        calls.push_back("find " + caption);
        return windows.count(caption) > 0;
    }
    bool showPreview(uint32_t pane, FrontEndState&) override {
        calls.push_back("preview " + std::to_string(pane));
        return previewPlaceable;
    }
    void makeFolder(const std::string& path) override { calls.push_back("mkdir " + path); }
    void showMissingRendererMessage() override { calls.push_back("message"); }
    void showSettingsDialog(FrontEndState&) override { calls.push_back("dialog"); }
    void hideCursor() override { calls.push_back("hide cursor"); }
    int32_t screenWidth() override { return screenW; }
    int32_t screenHeight() override { return screenH; }
    void loadSaverRun(FrontEndState&) override { calls.push_back("saver run"); }
};

class RecordingSaverRunPlatform final : public SaverRunPlatform {
public:
    bool startSucceeds = true;
    bool rendererWindow = false;
    bool processRunning = false;
    std::string folder = "C:\\Orvelle";
    std::vector<std::string> calls;
    bool ended = false;

    bool startRenderer(const std::string& path) override {
        calls.push_back("start " + path);
        processRunning = startSucceeds;
        return startSucceeds;
    }
    bool rendererWindowExists() override { return rendererWindow; }
    bool rendererProcessRunning() override { return processRunning; }
    void setTimer(SaverTimer timer, uint32_t intervalMs, bool on) override {
        calls.push_back("timer" + std::to_string(static_cast<int>(timer)) + " " +
                        std::to_string(intervalMs) + (on ? " on" : " off"));
    }
    void showCursor() override { calls.push_back("show cursor"); }
    std::string programFolder() override { return folder; }
    void endNow() override {
        calls.push_back("end");
        ended = true;
    }
};

}  // namespace orvelle::testing
