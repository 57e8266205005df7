// The X11 program's command line and the XSCREENSAVER_WINDOW variable,
// read strictly: a number is its whole text and fits its width, a size
// lies between 1 and kMaxSize, and what does not read so is refused with
// a message rather than cut or guessed at. Portable: no X headers.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "config/settings_keys.h"

namespace orvelle::x11 {

// The largest side of a window the program draws in, and of a picture it
// reads back: sides beyond it are refused before any memory is asked for.
// (OpenGL's own largest viewport, known once a context exists, may be smaller.)
inline constexpr uint32_t kMaxSize = 16384;

enum class Target { Own, Existing, Root };

struct Options {
    Target target = Target::Own;
    uint32_t windowId = 0;  // for Existing
    bool fullscreen = false;
    bool fps = false;
    uint32_t width = settings::kDefaultWidth;
    uint32_t height = settings::kDefaultHeight;
    std::optional<uint32_t> seed;  // none: the time
    uint32_t clockStepMs = 0;      // 0: the real clock
    std::optional<uint32_t> snapshotAtMs;
    std::string snapshotFile;
    bool help = false;
};

struct Parsed {
    Options options;
    // Empty when the whole command line was understood; otherwise why not,
    // as one line.
    std::string error;
};

// Arguments without the program's name; the variable's value, or nothing
// where it is not set.
Parsed parseOptions(std::span<const std::string_view> args,
                    std::optional<std::string_view> xscreensaverWindow);

// A whole text as an unsigned 32-bit number: decimal, or hexadecimal after
// 0x; no sign, no blanks, nothing after it, nothing beyond 32 bits.
std::optional<uint32_t> wholeNumber(std::string_view text);

// What the program's options are, for -h and for a refused command line.
std::string usage();

}  // namespace orvelle::x11
