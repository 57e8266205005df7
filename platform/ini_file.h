// A portable reader and writer of private-profile (INI) files, with the rules
// the platform's profile functions follow: section and key names match
// without regard to ASCII letter case (other bytes exactly), blanks around a
// value are stripped on read and surrounding double quotes removed, and every
// line that a write does not touch is kept as it was. Names and values are
// byte strings in the file's code page; nothing is converted.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvelle {

class IniDocument {
public:
    IniDocument() = default;
    static IniDocument parse(std::string_view bytes);

    // The value stored under key in section, or nothing when either is missing.
    std::optional<std::string> get(std::string_view section, std::string_view key) const;

    // Replaces the key's line, or appends one to the section (adding the
    // section at the end when it is missing). The value is written as given.
    void set(std::string_view section, std::string_view key, std::string_view value);

    // The whole file, lines ending in CR LF.
    std::string serialize() const;

private:
    std::vector<std::string> lines_;
};

// Reads a file's value; nothing when the file, section or key is missing.
std::optional<std::string> readIniValue(const std::string& path, std::string_view section,
                                        std::string_view key);

// Stores a value, creating the file (not its folder) when missing.
// Returns false when the file cannot be written.
bool writeIniValue(const std::string& path, std::string_view section, std::string_view key,
                   std::string_view value);

// The platform's text-to-integer rule for profile numbers: blanks skipped, an
// optional sign, decimal digits up to the first other character (wrapping at
// 32 bits like the platform); no digits give 0.
int32_t parseProfileInt(std::string_view text);

// GetPrivateProfileInt's outcome: a missing or empty value gives the default,
// anything else its parsed number.
int32_t profileInt(const std::optional<std::string>& value, int32_t defaultValue);

}  // namespace orvelle
