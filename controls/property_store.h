// Where a container keeps a control's properties between sessions: typed
// values under names. A read gives nothing when the name is not stored.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace orvelle {

// A font as a control's property: face, size in points, weight, style and
// character set.
struct FontSpec {
    std::string face;
    float points = 0.0f;
    int16_t weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int16_t charset = 0;
    bool operator==(const FontSpec&) const = default;
};

class PropertyStore {
public:
    virtual ~PropertyStore() = default;
    virtual std::optional<int32_t> readInt32(const char* key) = 0;
    virtual std::optional<int16_t> readInt16(const char* key) = 0;
    virtual std::optional<bool> readBoolean(const char* key) = 0;
    virtual std::optional<std::string> readText(const char* key) = 0;
    virtual std::optional<FontSpec> readFont(const char* key) = 0;
    virtual void writeInt32(const char* key, int32_t value) = 0;
    virtual void writeInt16(const char* key, int16_t value) = 0;
    virtual void writeBoolean(const char* key, bool value) = 0;
    virtual void writeText(const char* key, const std::string& value) = 0;
    virtual void writeFont(const char* key, const FontSpec& value) = 0;
};

}  // namespace orvelle
