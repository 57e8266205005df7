// The command line on any bytes: the mode, the preview handle, and the
// arguments taken out of a full process command line.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "frontend/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using orvelle::StartMode;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const orvelle::CommandLine line = orvelle::parseCommandLine(text);
    const char second = text.size() >= 2 ? static_cast<char>(text[1] & ~0x20) : 0;
    if ((line.mode == StartMode::RunPlain) != text.empty()) __builtin_trap();
    if ((line.mode == StartMode::Preview) != (second == 'P')) __builtin_trap();
    if (line.previewHandle && (line.mode != StartMode::Preview || *line.previewHandle == 0))
        __builtin_trap();
    // The arguments have no blanks around them, and behind another program
    // name they come out the same.
    const std::string_view arguments = orvelle::argumentsOf(text);
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    if (!arguments.empty() && (blank(arguments.front()) || blank(arguments.back())))
        __builtin_trap();
    const std::string again = "\"C:\\a b.scr\" " + std::string(arguments);
    if (orvelle::argumentsOf(again) != arguments) __builtin_trap();
    return 0;
}
