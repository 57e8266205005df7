// A property store over a map of numbers, remembering the order of reads.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "controls/property_store.h"

namespace orvelle::testing {

class MapStore final : public PropertyStore {
public:
    std::map<std::string, int32_t> values;
    std::vector<std::string> reads;

    std::optional<int32_t> readInt32(const char* key) override { return read(key); }
    std::optional<int16_t> readInt16(const char* key) override {
        if (auto v = read(key)) return static_cast<int16_t>(*v);
        return std::nullopt;
    }
    std::optional<bool> readBoolean(const char* key) override {
        if (auto v = read(key)) return *v != 0;
        return std::nullopt;
    }
    void writeInt32(const char* key, int32_t v) override { values[key] = v; }
    void writeInt16(const char* key, int16_t v) override { values[key] = v; }
    void writeBoolean(const char* key, bool v) override { values[key] = v ? -1 : 0; }

private:
    std::optional<int32_t> read(const char* key) {
        reads.push_back(key);
        return values.count(key) ? std::optional(values.at(key)) : std::nullopt;
    }
};

}  // namespace orvelle::testing
