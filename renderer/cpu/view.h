// The renderer's processor backend, for machines whose OpenGL is drawn in
// software anyway: the view (a picture in memory, its viewports, the
// clear, the read-back) and a target per scene that records the fade, the
// stars and the puffs. The records are drawn when the program asks for
// the picture, on several threads, with the widest instructions the
// processor has; the program shows the picture itself (a DIB section on
// Windows, a shared-memory image on X11).
//
// Supports: several scenes in one picture, each in its viewport and never
// outside it; a picture the same on any number of threads (each draws
// bands of rows of its own); the same picture as the OpenGL backend to
// within a level of a channel on all but a few pixels in ten thousand; up
// to kMaxSide pixels a side.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "renderer/scene/frame_target.h"

namespace orvelle {

namespace cpu {
class Canvas;
class AtlasLevels;
}  // namespace cpu

struct CpuViewOptions {
    // How many threads draw, the caller's included (0: one per processor).
    unsigned threads = 0;
    // The SSE2 kernels even where the processor runs AVX2.
    bool baselineOnly = false;
};

// The picture: rows from the top, `stride` pixels apart, each pixel
// 0x00RRGGBB (in memory blue, green, red, 0: a 32-bit DIB's and a
// TrueColor X image's order). No pixels where the view has no picture.
struct CpuPicture {
    const uint32_t* pixels = nullptr;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t stride = 0;
};

class CpuFrameView final : public FrameView {
public:
    static constexpr uint32_t kMaxSide = 16384;

    explicit CpuFrameView(const CpuViewOptions& options = {});
    ~CpuFrameView() override;
    CpuFrameView(const CpuFrameView&) = delete;
    CpuFrameView& operator=(const CpuFrameView&) = delete;

    // False for a side beyond kMaxSide or a picture there is no memory
    // for. A size with no pixels starts, and draws nothing.
    bool start(uint32_t width, uint32_t height) override;
    // A new picture, black; with no memory for it, none (picture() is
    // empty until a size that fits).
    void resize(uint32_t width, uint32_t height) override;
    void viewport(const ScreenRect& area) override;
    void clear() override;
    std::unique_ptr<FrameTarget> newTarget() override;
    bool readPixels(std::vector<uint8_t>& rgba) override;
    void release() override;

    // Everything recorded so far drawn, and the picture.
    CpuPicture picture();

    unsigned threads() const;
    // "AVX2" or "SSE2": the kernels it draws with.
    const char* instructions() const;

private:
    std::shared_ptr<cpu::Canvas> canvas_;
};

// One scene's records, kept for the view to draw; the atlas with its
// mipmap levels, once it is there.
class CpuFrameTarget final : public FrameTarget {
public:
    explicit CpuFrameTarget(std::shared_ptr<cpu::Canvas> canvas);
    ~CpuFrameTarget() override;
    CpuFrameTarget(const CpuFrameTarget&) = delete;
    CpuFrameTarget& operator=(const CpuFrameTarget&) = delete;

    void fade(uint32_t viewWidth, uint32_t viewHeight) override;
    void star(const StarRecord& star) override;
    void uploadPuffAtlas(const PuffAtlas& atlas) override;
    void beginPuffs() override {}
    void puff(const PuffQuad& quad) override;
    void endPuffs() override {}
    void release() override;

private:
    std::shared_ptr<cpu::Canvas> canvas_;
    std::shared_ptr<const cpu::AtlasLevels> atlas_;
};

}  // namespace orvelle
