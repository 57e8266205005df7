// Where a container keeps a control's properties between sessions: typed
// values under names. A read gives nothing when the name is not stored.
#pragma once

#include <cstdint>
#include <optional>

namespace orvelle {

class PropertyStore {
public:
    virtual ~PropertyStore() = default;
    virtual std::optional<int32_t> readInt32(const char* key) = 0;
    virtual std::optional<int16_t> readInt16(const char* key) = 0;
    virtual std::optional<bool> readBoolean(const char* key) = 0;
    virtual void writeInt32(const char* key, int32_t value) = 0;
    virtual void writeInt16(const char* key, int16_t value) = 0;
    virtual void writeBoolean(const char* key, bool value) = 0;
};

}  // namespace orvelle
