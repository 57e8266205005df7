// The X11 program's options on any bytes: NUL-separated arguments, the
// first part (up to a 0x01 byte, when there is one) the XSCREENSAVER_WINDOW
// variable. What is accepted keeps its bounds, and written back as options
// reads the same again; what is refused says why.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "renderer/x11/options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvelle::x11;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::optional<std::string_view> variable;
    if (const size_t split = text.find('\x01'); split != std::string_view::npos) {
        variable = text.substr(0, split);
        text.remove_prefix(split + 1);
    }
    std::vector<std::string_view> args;
    for (size_t from = 0; from <= text.size() && !text.empty();) {
        const size_t end = std::min(text.find('\0', from), text.size());
        args.push_back(text.substr(from, end - from));
        from = end + 1;
    }
    const Parsed parsed = parseOptions(args, variable);
    if (!parsed.error.empty()) {
        if (parsed.error.find('\n') != std::string::npos) __builtin_trap();
        return 0;
    }
    const Options& o = parsed.options;
    if (o.width < 1 || o.width > kMaxSize || o.height < 1 || o.height > kMaxSize) __builtin_trap();
    if (o.target == Target::Existing && o.windowId == 0) __builtin_trap();
    if (o.snapshotAtMs.has_value() == o.snapshotFile.empty() && !o.snapshotFile.empty())
        __builtin_trap();
    // Written back, the options read the same (the variable's window as an id).
    std::vector<std::string> again = {"-geometry",
                                      std::to_string(o.width) + "x" + std::to_string(o.height),
                                      "-clock-step", std::to_string(o.clockStepMs)};
    if (o.clockStepMs == 0) again.resize(2);
    if (o.target == Target::Existing)
        again.insert(again.end(), {"-window-id", std::to_string(o.windowId)});
    if (o.target == Target::Root) again.push_back("-root");
    if (o.seed) again.insert(again.end(), {"-seed", std::to_string(*o.seed)});
    if (o.snapshotAtMs)
        again.insert(again.end(),
                     {"-snapshot-at", std::to_string(*o.snapshotAtMs), o.snapshotFile});
    if (o.fullscreen) again.push_back("-fullscreen");
    if (o.fps) again.push_back("-fps");
    if (o.help) again.push_back("-h");
    const std::vector<std::string_view> views(again.begin(), again.end());
    const Parsed reread = parseOptions(views, std::nullopt);
    const Options& r = reread.options;
    if (!reread.error.empty() || r.width != o.width || r.height != o.height ||
        r.target != o.target || r.windowId != o.windowId || r.seed != o.seed ||
        r.clockStepMs != o.clockStepMs || r.snapshotAtMs != o.snapshotAtMs ||
        r.snapshotFile != o.snapshotFile || r.fullscreen != o.fullscreen || r.fps != o.fps ||
        r.help != o.help) {
        __builtin_trap();
    }
    return 0;
}
