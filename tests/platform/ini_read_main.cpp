// Reads one value with the portable settings-file reader:
//   ini-read FILE SECTION KEY_HEX   prints value=HEX or missing
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/ini_file.h"

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    std::string key;
    for (const char* p = argv[3]; p[0] != 0 && p[1] != 0; p += 2) {
        const char pair[3] = {p[0], p[1], 0};
        key.push_back(static_cast<char>(std::strtoul(pair, nullptr, 16)));
    }
    const auto value = orvelle::readIniValue(argv[1], argv[2], key);
    if (!value) {
        std::printf("missing\n");
        return 0;
    }
    std::printf("value=");
    for (unsigned char c : *value) std::printf("%02X", c);
    std::printf("\n");
    return 0;
}
