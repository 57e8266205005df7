// A frame target that keeps what the scene asks to draw, and folds every
// record into a 64-bit FNV-1a digest (floats by their bits).
#pragma once

#include <cstdint>
#include <vector>

#include "renderer/frame_target.h"
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

    void fade(uint32_t w, uint32_t h) override {
        ++fades;
        digest.add(w).add(h);
    }
    // Records are plain floats and arrays of them: digested byte by byte.
    void star(const StarRecord& s) override {
        stars.push_back(s);
        digest.add(s);
    }
    void uploadPuffAtlas(const PuffAtlas&) override { ++uploads; }
    void beginPuffs() override {}
    void puff(const PuffQuad& q) override {
        puffs.push_back(q);
        digest.add(q);
    }
    void endPuffs() override {}
};

}  // namespace orvelle::testing
