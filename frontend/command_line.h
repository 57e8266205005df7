// The front end's command line: the switch the screensaver host passes and,
// for a preview, the handle of the host's pane.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvelle {

struct CommandLine {
    // The command line was empty: a saver run that leaves the cursor alone.
    bool empty = true;
    // The second character in upper case ('S', 'C', 'P', ...), or 0 when the
    // command line has fewer than two characters.
    char switchChar = 0;
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
