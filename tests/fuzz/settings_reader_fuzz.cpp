// The settings-file reader on any bytes: lines of key=value under the keys
// the front end reads, loaded as at start-up, and the path and number rules.
#include <cstddef>
#include <cstdint>
#include <string>

#include "config/settings_file.h"
#include "config/settings_keys.h"
#include "tests/support/fakes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    orvelle::testing::FakeSettings store;
    const char* keys[] = {orvelle::settings::kBgmKind, orvelle::settings::kBgmRepeat,
                          orvelle::settings::kBgmFile};
    size_t start = 0;
    for (int k = 0; start <= text.size() && k < 3; ++k) {
        const size_t end = std::min(text.find('\n', start), text.size());
        store.values[keys[k]] = text.substr(start, end - start);
        start = end + 1;
    }
    store.files.insert(store.values[orvelle::settings::kBgmFile]);
    orvelle::MusicSettings music;
    orvelle::loadSettings(store, store, music);
    // A kind of 2 is only kept with a file; the folder is the file's or the program's.
    if (music.bgmKind == 2 && music.bgmFile.empty()) __builtin_trap();
    if (music.bgmFile.empty() && music.bgmFolder != store.folder) __builtin_trap();
    const std::string folder = orvelle::folderOf(text, orvelle::testing::shiftJisLeadBytes());
    if (folder.size() > text.size() || text.compare(0, folder.size(), folder) != 0)
        __builtin_trap();
    orvelle::parseSettingNumber(text);
    return 0;
}
