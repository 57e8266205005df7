// Scripted fakes of the front end's platform. Each records what it was asked
// in one log of readable lines and answers from a small table.
#pragma once

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "config/settings_keys.h"
#include "frontend/saver_run.h"
#include "frontend/startup.h"
#include "music/media_commands.h"
#include "tests/support/joined.h"

namespace orvelle::testing {

// The media control interface as a table of command to reply; a command
// not in the table succeeds with an empty reply. Each line of the log is the
// command and the reply capacity it was given.
class ScriptedMedia final : public MediaCommands {
public:
    struct Reply {
        int32_t code = 0;
        std::string text;
    };
    std::map<std::string, Reply> replies;
    std::vector<std::string> log;
    int32_t waveDevices = 1;
    bool errorTexts = true;

    int32_t sendString(const std::string& command, char* reply, uint32_t capacity) override {
        log.push_back(command + " |" + std::to_string(capacity));
        const Reply r = replies.count(command) ? replies.at(command) : Reply{};
        if (r.code == 0 && reply != nullptr) std::snprintf(reply, capacity, "%s", r.text.c_str());
        return r.code;
    }
    bool errorString(int32_t code, char* text, uint32_t capacity) override {
        return errorTexts && std::snprintf(text, capacity, "error %d", static_cast<int>(code)) > 0;
    }
    int32_t playSound(const char* sound, uint32_t flags) override {
        log.push_back(std::string("PlaySound ") + (sound ? sound : "null") + " " +
                      std::to_string(flags));
        return 1;
    }
    int32_t waveOutDeviceCount() override { return waveDevices; }
};

// Code page 932's lead bytes, as the system reports them.
inline LeadBytes shiftJisLeadBytes() {
    LeadBytes lead;
    for (int b = 0x81; b <= 0x9F; ++b) lead.set(static_cast<uint8_t>(b));
    for (int b = 0xE0; b <= 0xFC; ++b) lead.set(static_cast<uint8_t>(b));
    return lead;
}

// The settings file as a map of key to value in section "Section", files
// that exist, and a Shift-JIS code page.
class FakeSettings : public virtual ProfileStore, public virtual FileProbe {
public:
    std::map<std::string, std::string> values;
    std::set<std::string> files;
    std::string folder = "C:\\Program Files\\Orvelle";
    std::vector<std::string> writes;
    int32_t writeResult = 1;

    std::string getString(const std::string& section, const std::string& key,
                          const std::string& defaultValue, uint32_t bufferSize,
                          const std::string&) override {
        if (section != settings::kSection || !values.count(key)) return defaultValue;
        return values.at(key).substr(0, bufferSize - 1);
    }
    int32_t writeString(const std::string&, const std::string& key, const std::string& value,
                        const std::string&) override {
        writes.push_back(key + "=" + value);
        if (writeResult != 0) values[key] = value;
        return writeResult;
    }
    bool canOpenForReading(const std::string& path) override { return files.count(path) > 0; }
    std::string programFolder() override { return folder; }
    LeadBytes leadBytes() override { return shiftJisLeadBytes(); }
};

class RecordingStartup final : public StartupPlatform, public FakeSettings {
public:
    std::set<std::string> windows;
    // Another copy holds the busy guard; this one took it.
    bool guardElsewhere = false;
    bool guardTaken = false;
    PaneFacts paneIs{true, true, false, false};
    bool previewPlaceable = true;
    bool renderer = true;
    bool saverRunLoads = true;
    int32_t screenW = 1920;
    std::vector<std::string> calls;

    bool windowExists(const std::string& caption) override { return windows.count(caption) > 0; }
    bool takeBusyGuard() override { return guardTaken = !guardElsewhere; }
    bool busyGuardHeld() override { return guardElsewhere; }
    PaneFacts paneFacts(uint32_t) override { return paneIs; }
    bool showPreview(uint32_t pane) override {
        calls.push_back("preview " + std::to_string(pane));
        return previewPlaceable;
    }
    void makeFolder(const std::string& path) override { calls.push_back("mkdir " + path); }
    bool rendererExists() override { return renderer; }
    void showMissingRendererMessage() override { calls.push_back("message"); }
    void showSettingsDialog(FrontEndState&) override { calls.push_back("dialog"); }
    void hideCursor() override { calls.push_back("hide cursor"); }
    void showCursor() override { calls.push_back("show cursor"); }
    int32_t screenWidth() override { return screenW; }
    int32_t screenHeight() override { return 1080; }
    bool loadSaverRun(FrontEndState&) override {
        calls.push_back("saver run");
        return saverRunLoads;
    }
};

// Logs into the log it is given (the media fake's: one log, in order). The
// renderer it starts is process 7; its window shows while rendererWindow.
class RecordingSaverRun final : public SaverRunPlatform {
public:
    explicit RecordingSaverRun(std::vector<std::string>& log) : calls(log) {}
    bool rendererStarts = true;
    bool rendererWindow = false;
    bool processRunning = false;
    // Processes of other windows captioned "Zelkor_VC".
    std::vector<uint32_t> otherWindows;
    uint64_t now = 0;
    DisplayMode current{1024, 768, 32}, registry{1024, 768, 32};
    bool modesKnown = true;
    std::vector<std::string>& calls;

    std::optional<uint32_t> startRenderer() override {
        calls.push_back("start renderer");
        processRunning = rendererStarts;
        return rendererStarts ? std::optional<uint32_t>(7) : std::nullopt;
    }
    std::vector<uint32_t> rendererWindowProcesses() override {
        std::vector<uint32_t> processes = otherWindows;
        if (rendererWindow) processes.push_back(7);
        return processes;
    }
    bool rendererProcessRunning() override { return processRunning; }
    void endRenderer() override {
        calls.push_back("end renderer");
        processRunning = false;
    }
    uint64_t nowMs() override { return now; }
    bool readDisplayModes(DisplayMode& c, DisplayMode& r) override {
        c = current;
        r = registry;
        return modesKnown;
    }
    void restoreDisplay() override {
        calls.push_back("restore display");
        current = registry;
    }
    void setTimer(SaverTimer, uint32_t intervalMs, bool on) override {
        calls.push_back("timer " + std::to_string(intervalMs) + (on ? " on" : " off"));
    }
    void showCursor() override { calls.push_back("show cursor"); }
    void endNow() override { calls.push_back("end"); }
};

}  // namespace orvelle::testing
