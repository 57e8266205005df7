// The command line on any bytes: the switch and the preview handle.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "frontend/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const orvelle::CommandLine line = orvelle::parseCommandLine(text);
    if (line.empty != text.empty()) __builtin_trap();
    if (line.switchChar >= 'a' && line.switchChar <= 'z') __builtin_trap();
    if (line.previewHandle && (line.switchChar != 'P' || *line.previewHandle == 0))
        __builtin_trap();
    const std::string_view arguments = orvelle::argumentsOf(text);
    if (arguments.size() > text.size()) __builtin_trap();
    return 0;
}
