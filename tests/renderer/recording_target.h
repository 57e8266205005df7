// A frame target that keeps what the scene asks to draw, and folds every
// record into a digest; and the digest, a 64-bit FNV-1a of values by their
// bytes: known answers for whole computations (floats by their bits).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "renderer/frame_target.h"

namespace orvelle::testing {

class Digest {
public:
    template <typename T>
    Digest& add(const T& value) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
        for (size_t i = 0; i < sizeof(T); ++i) hash_ = (hash_ ^ bytes[i]) * 1099511628211ull;
        return *this;
    }
    // A text by its characters, and its end: "ab" then "c" is not "a" then "bc".
    Digest& addText(std::string_view text) {
        for (char c : text) add(c);
        return add('\0');
    }
    uint64_t value() const { return hash_; }

private:
    uint64_t hash_ = 14695981039346656037ull;
};

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
