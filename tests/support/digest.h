// A 64-bit FNV-1a digest of values by their bytes: known answers for whole
// computations (floats by their bits).
#pragma once

#include <cstdint>
#include <cstring>

namespace orvelle::testing {

class Digest {
public:
    template <typename T>
    Digest& add(const T& value) {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char b : bytes) hash_ = (hash_ ^ b) * 1099511628211ull;
        return *this;
    }
    template <typename Range>
    Digest& addAll(const Range& values) {
        for (const auto& v : values) add(v);
        return *this;
    }
    uint64_t value() const { return hash_; }

private:
    uint64_t hash_ = 14695981039346656037ull;
};

}  // namespace orvelle::testing
