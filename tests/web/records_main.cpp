// Every record of a fixed scene, floats exact (%a): four seconds of a
// 1024 x 768 view at 20 ms a frame, the arrow keys pressed once on the way.
// Built natively and for Node.js by the web build's compiler; the web test
// compares the two.
#include <array>
#include <cstdio>
#include <cstring>
#include <memory>

#include "renderer/scene/keys.h"
#include "renderer/scene/scene.h"
#include "tests/renderer/scene/recording_target.h"

namespace {

template <typename Record>
void print(const char* name, const Record& record) {
    std::array<float, sizeof(Record) / sizeof(float)> values;
    std::memcpy(values.data(), &record, sizeof record);
    std::printf("%s", name);
    for (float f : values) std::printf(" %a", static_cast<double>(f));
    std::printf("\n");
}

}  // namespace

int main() {
    using namespace orvelle;
    auto scene = std::make_unique<Scene>();
    initScene(*scene, 20261206);
    RendererState state;
    primeLights(state, *scene);
    testing::RecordingTarget target;
    for (uint32_t ms = 20; ms <= 4000; ms += 20) {
        if (ms == 2000) {
            handleArrowKey(state, keys::kRight);
            handleArrowKey(state, keys::kDown);
        }
        stepFrame(state, *scene, ms, target);
    }
    // The fades' sizes are in the digest of all records.
    std::printf("fades %d, atlases %d, atlas %016llx, records %016llx\n", target.fades,
                target.uploads,
                static_cast<unsigned long long>(testing::Digest().add(scene->puffAtlas).value()),
                static_cast<unsigned long long>(target.digest.value()));
    for (const StarRecord& s : target.stars) print("star", s);
    for (const PuffQuad& q : target.puffs) print("puff", q);
    return 0;
}
