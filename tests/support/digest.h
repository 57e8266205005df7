// A 64-bit FNV-1a of values by their bytes (floats by their bits), or of
// words each mixed in whole: known answers for pictures and records too
// large to read as text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orvelle::testing {

class Digest {
public:
    template <typename T>
    Digest& add(const T& value) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
        for (size_t i = 0; i < sizeof(T); ++i) mix(bytes[i]);
        return *this;
    }
    // One step of the hash with the whole word: a pixel's colour in one.
    Digest& mix(uint64_t word) {
        hash_ = (hash_ ^ word) * 1099511628211ull;
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

}  // namespace orvelle::testing
