#include "renderer/x11/options.h"

#include <limits>

namespace orvelle::x11 {

std::string usage() {
    return std::string(
               "usage: orvelle [-window-id ID | -root | -window] [-fullscreen] [-geometry WxH] "
               "[-fps]\n"
               "               [-seed N] [-clock-step MS] [-snapshot-at MS FILE.ppm] [-h]\n"
               "  -window-id ID   draw into an existing window (decimal or 0x hex); so does\n"
               "                  the XSCREENSAVER_WINDOW environment variable\n"
               "  -root           draw on the root window, or in the window XSCREENSAVER_WINDOW\n"
               "                  names\n"
               "  -window         draw in an own window (the default)\n"
               "  -fullscreen     the own window over the whole screen\n"
               "  -geometry WxH   the own window's size, each side 1 to 16384 (otherwise ") +
           std::to_string(settings::kDefaultWidth) + "x" +
           std::to_string(settings::kDefaultHeight) +
           ")\n"
           "  -fps            show the frames per second (and print them every second)\n"
           "  -seed N         the random seed (otherwise the time)\n"
           "  -clock-step MS  advance the scene clock by MS per frame, not in real time\n"
           "  -snapshot-at MS FILE.ppm  write the frame at that clock reading and end\n"
           "  -h, -help       print this text and end\n"
           "Each option may also be written with two dashes. Numbers are decimal or 0x hex,\n"
           "at most 32 bits. ORVELLE_RENDERING=cpu or gl in the environment chooses the\n"
           "processor or OpenGL to draw; otherwise the processor draws where OpenGL would\n"
           "draw in software.\n";
}

std::optional<uint32_t> wholeNumber(std::string_view text) {
    unsigned base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return std::nullopt;
    uint64_t value = 0;
    for (char c : text) {
        unsigned digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<unsigned>(c - '0');
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = static_cast<unsigned>(c - 'a' + 10);
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = static_cast<unsigned>(c - 'A' + 10);
        } else {
            return std::nullopt;
        }
        value = value * base + digit;
        if (value > std::numeric_limits<uint32_t>::max()) return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

namespace {

std::optional<uint32_t> side(std::string_view text) {
    const auto value = wholeNumber(text);
    if (!value || *value < 1 || *value > kMaxSize) return std::nullopt;
    return value;
}

// "WxH", each side whole and within bounds.
bool geometry(std::string_view text, Options& o) {
    const size_t x = text.find('x');
    if (x == std::string_view::npos) return false;
    const auto w = side(text.substr(0, x)), h = side(text.substr(x + 1));
    if (!w || !h) return false;
    o.width = *w;
    o.height = *h;
    return true;
}

// The text as given, in quotes, its control characters written out: a
// refused value goes to a terminal, where a line break or an escape
// sequence of its own would not be shown for what it is.
std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F && c != '"' && c != '\\') {
            out += c;
        } else {
            static constexpr char kHex[] = "0123456789abcdef";
            out += {'\\', 'x', kHex[byte >> 4], kHex[byte & 15]};
        }
    }
    return out + "\"";
}

}  // namespace

Parsed parseOptions(std::span<const std::string_view> args,
                    std::optional<std::string_view> xscreensaverWindow) {
    Parsed parsed;
    Options& o = parsed.options;
    const auto refuse = [&parsed](std::string why) {
        parsed.error = std::move(why);
        return parsed;
    };
    // XScreenSaver names the window it made for its saver here and starts
    // the saver with -root: that window stands in for the root (a virtual
    // root). A value that is not a whole window id is someone else's
    // mistake, not a window to draw into.
    std::optional<uint32_t> virtualRoot;
    if (xscreensaverWindow && !xscreensaverWindow->empty()) {
        virtualRoot = wholeNumber(*xscreensaverWindow);
        if (!virtualRoot || *virtualRoot == 0) {
            return refuse("XSCREENSAVER_WINDOW is not a window id: " + quoted(*xscreensaverWindow));
        }
        o.target = Target::Existing;
        o.windowId = *virtualRoot;
    }
    for (size_t i = 0; i < args.size(); ++i) {
        std::string_view a = args[i];
        // XScreenSaver writes its savers' options with two dashes as well.
        if (a.size() > 2 && a.starts_with("--")) a.remove_prefix(1);
        const auto value = [&](size_t n) -> std::optional<std::string_view> {
            if (i + n >= args.size()) return std::nullopt;
            return args[i + n];
        };
        const auto number = [&](std::string_view what) -> std::optional<uint32_t> {
            const auto text = value(1);
            if (!text) return std::nullopt;
            const auto n = wholeNumber(*text);
            if (!n) parsed.error = std::string(what) + " is not a 32-bit number: " + quoted(*text);
            return n;
        };
        if (a == "-h" || a == "-help") {
            o.help = true;
        } else if (a == "-window") {
            o.target = Target::Own;
        } else if (a == "-root") {
            o.target = virtualRoot ? Target::Existing : Target::Root;
            o.windowId = virtualRoot.value_or(0);
        } else if (a == "-fullscreen") {
            o.fullscreen = true;
        } else if (a == "-fps") {
            o.fps = true;
        } else if (a == "-window-id" && value(1)) {
            const auto id = number("the window id");
            if (!id) return refuse(parsed.error);
            if (*id == 0) return refuse("the window id 0 names no window");
            o.target = Target::Existing;
            o.windowId = *id;
            ++i;
        } else if (a == "-geometry" && value(1)) {
            if (!geometry(*value(1), o)) {
                return refuse("-geometry takes WIDTHxHEIGHT, each 1 to 16384: " +
                              quoted(*value(1)));
            }
            ++i;
        } else if (a == "-seed" && value(1)) {
            o.seed = number("the seed");
            if (!o.seed) return refuse(parsed.error);
            ++i;
        } else if (a == "-clock-step" && value(1)) {
            const auto step = number("the clock step");
            if (!step) return refuse(parsed.error);
            if (*step == 0) return refuse("the clock step must be at least 1 ms");
            o.clockStepMs = *step;
            ++i;
        } else if (a == "-snapshot-at" && value(2)) {
            o.snapshotAtMs = number("the snapshot's clock reading");
            if (!o.snapshotAtMs) return refuse(parsed.error);
            o.snapshotFile = std::string(*value(2));
            i += 2;
        } else {
            return refuse("unknown option or missing value: " + quoted(args[i]));
        }
    }
    return parsed;
}

}  // namespace orvelle::x11
