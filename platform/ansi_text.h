// Text in the system's ANSI code page, as the settings file holds it. In a
// double-byte code page such as Shift-JIS (932) the second byte of a
// character may be any of 0x40 to 0xFC, "\" (0x5C) and ":" (0x3A) included,
// so a path is scanned character by character, never byte by byte.
#pragma once

#include <bitset>
#include <cstdint>
#include <string_view>

namespace orvelle {

// The lead bytes of a code page: the bytes that start a two-byte character.
class LeadBytes {
public:
    // A single-byte code page.
    static LeadBytes none() { return {}; }

    void set(uint8_t byte) { bits_.set(byte); }
    bool operator()(char c) const { return bits_.test(static_cast<uint8_t>(c)); }

private:
    std::bitset<256> bits_;
};

// The position of the last character of text that is one of chars (single
// bytes), skipping the second bytes of two-byte characters; npos when none.
inline size_t lastCharacterOf(std::string_view text, std::string_view chars,
                              const LeadBytes& lead) {
    size_t found = std::string_view::npos;
    for (size_t i = 0; i < text.size(); ++i) {
        if (lead(text[i])) {
            ++i;  // and its second byte
            continue;
        }
        if (chars.find(text[i]) != std::string_view::npos) found = i;
    }
    return found;
}

}  // namespace orvelle
