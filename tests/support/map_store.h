// A property store over maps of numbers, texts and fonts, remembering the
// order of reads and of writes.
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
    std::map<std::string, std::string> texts;
    std::map<std::string, FontSpec> fonts;
    std::vector<std::string> reads, writes;

    std::optional<int32_t> readInt32(const char* key) override { return read(values, key); }
    // A number read as a narrower type (a boolean: not 0).
    std::optional<int16_t> readInt16(const char* key) override { return read(values, key); }
    std::optional<bool> readBoolean(const char* key) override {
        const auto v = read(values, key);
        return v ? std::optional(*v != 0) : std::nullopt;
    }
    std::optional<std::string> readText(const char* key) override { return read(texts, key); }
    std::optional<FontSpec> readFont(const char* key) override { return read(fonts, key); }
    void writeInt32(const char* key, int32_t v) override { write(values, key, v); }
    void writeInt16(const char* key, int16_t v) override { write(values, key, int32_t{v}); }
    void writeBoolean(const char* key, bool v) override { write(values, key, v ? -1 : 0); }
    void writeText(const char* key, const std::string& v) override { write(texts, key, v); }
    void writeFont(const char* key, const FontSpec& v) override { write(fonts, key, v); }

private:
    template <typename T>
    std::optional<T> read(const std::map<std::string, T>& map, const char* key) {
        reads.push_back(key);
        return map.count(key) ? std::optional(map.at(key)) : std::nullopt;
    }
    template <typename T>
    void write(std::map<std::string, T>& map, const char* key, const T& value) {
        writes.push_back(key);
        map[key] = value;
    }
};

}  // namespace orvelle::testing
