// A frame target that keeps what the scene asks to draw, and folds every
// record into a digest (tests/support/digest.h); a view that logs its life
// in readable lines and hands out such targets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "renderer/scene/frame_target.h"
#include "tests/support/digest.h"

namespace orvelle::testing {

static_assert(sizeof(PuffQuad) == 11 * sizeof(float) && sizeof(StarRecord) == 31 * sizeof(float),
              "records without padding: every byte digested is a value");

class RecordingTarget final : public FrameTarget {
public:
    int fades = 0;
    int uploads = 0;
    std::vector<StarRecord> stars;
    std::vector<PuffQuad> puffs;
    Digest digest;
    // Without keeping, the records are only counted and digested: hours of
    // a run fit in memory.
    bool keep = true;
    uint64_t puffCount = 0;

    void fade(uint32_t w, uint32_t h) override {
        ++fades;
        digest.add(w).add(h);
    }
    // Records are plain floats and arrays of them: digested byte by byte.
    void star(const StarRecord& s) override {
        if (keep) stars.push_back(s);
        digest.add(s);
    }
    void uploadPuffAtlas(const PuffAtlas&) override { ++uploads; }
    void beginPuffs() override {}
    void puff(const PuffQuad& q) override {
        if (keep) puffs.push_back(q);
        ++puffCount;
        digest.add(q);
    }
    void endPuffs() override {}
    void release() override {
        if (log != nullptr) log->push_back("release " + name);
    }
    // Where a view made it: its log, and its name there.
    std::vector<std::string>* log = nullptr;
    std::string name;
};

// Each line of the log is one call: "start 640x480", "resize 640x480",
// "viewport 0,0 320x240", "clear", "target 1" (the n-th made), "read",
// "release target 1", "release".
class RecordingView final : public FrameView {
public:
    std::vector<std::string> log;
    std::vector<RecordingTarget*> targets;  // owned by the scenes
    bool startable = true;
    bool keep = true;  // the targets keep their records

    bool start(uint32_t w, uint32_t h) override {
        log.push_back("start " + size(w, h));
        return startable;
    }
    void resize(uint32_t w, uint32_t h) override { log.push_back("resize " + size(w, h)); }
    void viewport(const ScreenRect& a) override {
        log.push_back("viewport " + std::to_string(a.left) + "," + std::to_string(a.top) + " " +
                      size(static_cast<uint32_t>(a.width), static_cast<uint32_t>(a.height)));
    }
    void clear() override { log.push_back("clear"); }
    std::unique_ptr<FrameTarget> newTarget() override {
        auto target = std::make_unique<RecordingTarget>();
        targets.push_back(target.get());
        target->log = &log;
        target->keep = keep;
        target->name = "target " + std::to_string(targets.size());
        log.push_back(target->name);
        return target;
    }
    bool readPixels(std::vector<uint8_t>&) override { return log.push_back("read"), false; }
    void release() override { log.push_back("release"); }

private:
    static std::string size(uint32_t w, uint32_t h) {
        return std::to_string(w) + "x" + std::to_string(h);
    }
};

}  // namespace orvelle::testing
