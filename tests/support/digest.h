// A 64-bit FNV-1a digest of values by their bytes: known answers for whole
// computations (floats by their bits).
#pragma once

#include <cstddef>
#include <cstdint>

namespace orvelle::testing {

class Digest {
public:
    template <typename T>
    Digest& add(const T& value) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
        for (size_t i = 0; i < sizeof(T); ++i) hash_ = (hash_ ^ bytes[i]) * 1099511628211ull;
        return *this;
    }
    uint64_t value() const { return hash_; }

private:
    uint64_t hash_ = 14695981039346656037ull;
};

}  // namespace orvelle::testing
