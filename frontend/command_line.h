// The front end's command line: the switch the screensaver host passes and,
// for a preview, the handle of the host's pane.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvelle {

// What the host asks for, by the second character of the command line in
// upper case (the first is not looked at).
enum class StartMode {
    Preview,    // "P": the still picture in the host's pane
    Configure,  // "C": the settings dialog
    Run,        // "S": a saver run, the cursor hidden while it lasts
    RunPlain,   // an empty command line: a saver run that leaves the cursor alone
    Other,      // anything else: nothing after the preparation
};

struct CommandLine {
    StartMode mode = StartMode::RunPlain;
    // For a preview: the pane's window handle, read from the fourth character
    // on as an unsigned 32-bit number; nothing when the text there is no
    // number that fits (no window is named then).
    std::optional<uint32_t> previewHandle;
};

CommandLine parseCommandLine(std::string_view arguments);

// The arguments part of a full process command line: the program name
// (quoted or not) and the blanks after it removed.
std::string_view argumentsOf(std::string_view fullCommandLine);

}  // namespace orvelle
