// A frame target that keeps what the scene asks to draw, and folds every
// record into a 64-bit FNV-1a digest (floats by their bits).
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "renderer/frame_target.h"

namespace orvelle::testing {

class Digest {
public:
    template <typename T>
    void add(const T& value) {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char b : bytes) hash_ = (hash_ ^ b) * 1099511628211ull;
    }
    uint64_t value() const { return hash_; }

private:
    uint64_t hash_ = 14695981039346656037ull;
};

class RecordingTarget final : public FrameTarget {
public:
    int fades = 0;
    int uploads = 0;
    std::vector<StarRecord> stars;
    std::vector<PuffQuad> puffs;
    Digest digest;

    void fade(uint32_t w, uint32_t h) override {
        ++fades;
        digest.add(w);
        digest.add(h);
    }
    void star(const StarRecord& s) override {
        stars.push_back(s);
        digest.add(s.centerX);
        digest.add(s.centerY);
        digest.add(s.scale);
        for (const StarRay& r : s.rays) {
            digest.add(r.angleDegrees);
            digest.add(r.length);
        }
        addColour(s.color);
    }
    void uploadPuffAtlas(const PuffAtlas&) override { ++uploads; }
    void beginPuffs() override {}
    void puff(const PuffQuad& q) override {
        puffs.push_back(q);
        digest.add(q.centerX);
        digest.add(q.centerY);
        digest.add(q.angleDegrees);
        digest.add(q.length);
        digest.add(q.size);
        digest.add(q.u);
        digest.add(q.v);
        addColour(q.color);
    }
    void endPuffs() override {}

private:
    void addColour(const Color4& c) {
        digest.add(c.red);
        digest.add(c.green);
        digest.add(c.blue);
        digest.add(c.alpha);
    }
};

}  // namespace orvelle::testing
