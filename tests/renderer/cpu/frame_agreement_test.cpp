// The processor backend against OpenGL (Mesa's llvmpipe, off screen) on
// the same records: each channel within 2 levels on at least 99% of the
// pixels, at several sizes, seeds and times (the start, the trails'
// growth, the steady load past 13 s), on both instruction sets and on two
// monitors of one window; the same picture on any number of threads; and
// sizes without pixels or beyond the largest.
#include <GL/osmesa.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "renderer/cpu/view.h"
#include "renderer/gl/api.h"
#include "renderer/gl/view.h"
#include "renderer/offscreen/frames.h"
#include "renderer/scene/monitor_scenes.h"
#include "renderer/scene/puff_texture.h"

namespace orvelle {
namespace {

struct Agreement {
    double within = 0;  // share of the pixels with every channel within 2 levels
    double same = 0;    // share of the pixels with every channel the same
    int largest = 0;    // the largest difference of a channel
    size_t lit = 0;     // pixels OpenGL lit
};

Agreement compare(const std::vector<uint8_t>& gl, const std::vector<uint8_t>& cpu) {
    Agreement a;
    size_t close = 0, same = 0;
    for (size_t i = 0; i + 3 < std::min(gl.size(), cpu.size()); i += 4) {
        int worst = 0;
        for (size_t c = 0; c < 3; ++c) worst = std::max(worst, std::abs(gl[i + c] - cpu[i + c]));
        close += worst <= 2;
        same += worst == 0;
        a.largest = std::max(a.largest, worst);
        a.lit += (gl[i] | gl[i + 1] | gl[i + 2]) != 0;
    }
    if (!gl.empty() && gl.size() == cpu.size()) {
        a.within = 4.0 * static_cast<double>(close) / static_cast<double>(gl.size());
        a.same = 4.0 * static_cast<double>(same) / static_cast<double>(gl.size());
    }
    return a;
}

OffscreenOptions processor(unsigned threads, bool baselineOnly) {
    return {.rendering = Rendering::Cpu, .cpu = {.threads = threads, .baselineOnly = baselineOnly}};
}

TEST(CpuFrames, TheOpenGlPictureAtSeveralSizesSeedsAndTimes) {
    struct Case {
        uint32_t width, height, seed, untilMs, stepMs;
        size_t lit;     // at least, in the OpenGL picture
        bool baseline;  // the SSE2 kernels too
    };
    const Case cases[] = {
        {320, 240, 7, 3000, 20, 5000, true},        // the first trails
        {333, 201, 5, 9000, 30, 20000, true},       // odd sides, the load growing
        {640, 480, 11, 14000, 50, 100000, false},   // the steady load, every life lived
        {1024, 768, 3, 13500, 100, 300000, false},  // the benchmark's size at its peak
    };
    for (const Case& c : cases) {
        const std::string name = std::to_string(c.width) + "x" + std::to_string(c.height) + " at " +
                                 std::to_string(c.untilMs) + " ms";
        OffscreenRenderer gl(c.width, c.height, c.seed);
        OffscreenRenderer best(c.width, c.height, c.seed, 0, processor(2, false));
        ASSERT_TRUE(gl.ok() && best.ok()) << name;
        gl.runUntil(c.untilMs, c.stepMs);
        best.runUntil(c.untilMs, c.stepMs);
        std::vector<OffscreenRenderer*> processors{&best};
        std::unique_ptr<OffscreenRenderer> baseline;
        if (c.baseline) {
            baseline = std::make_unique<OffscreenRenderer>(c.width, c.height, c.seed, 0,
                                                           processor(2, true));
            baseline->runUntil(c.untilMs, c.stepMs);
            processors.push_back(baseline.get());
        }
        for (OffscreenRenderer* cpu : processors) {
            const Agreement a = compare(gl.pixels(), cpu->pixels());
            EXPECT_GE(a.within, 0.99) << name;
            // The pipeline's own arithmetic: all but about one pixel in five
            // thousand the same (a texture coordinate on a half step rounded
            // the other way), which the rule above would hardly notice lost.
            EXPECT_GE(a.same, 0.999) << name;
            EXPECT_GE(a.lit, c.lit) << name << ": a picture, not the black";
            std::printf("%s, %s: %.4f%% the same, %.4f%% within 2 levels, largest difference %d\n",
                        name.c_str(), static_cast<CpuFrameView&>(cpu->view()).instructions(),
                        100.0 * a.same, 100.0 * a.within, a.largest);
        }
    }
}

// Each kind of record alone, over black or over a picture, as OpenGL draws
// it: the fade, a star, puffs magnified, at every level and where rounding
// decides the level block by block, in a viewport off the picture's corner.
TEST(CpuFrames, EachRecordAsOpenGlDrawsIt) {
    constexpr int32_t kWidth = 301, kHeight = 233;
    std::vector<uint8_t> gl(kWidth * kHeight * 4);
    OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 0, 0, 0, nullptr);
    ASSERT_TRUE(OSMesaMakeCurrent(context, gl.data(), GL_UNSIGNED_BYTE, kWidth, kHeight));
    GlFrameView glView;
    CpuFrameView cpuView({.threads = 2, .baselineOnly = false});
    ASSERT_TRUE(glView.start(kWidth, kHeight) && cpuView.start(kWidth, kHeight));
    const ScreenRect area{13, 7, 270, 210};
    glView.viewport(area);
    cpuView.viewport(area);
    auto glTarget = glView.newTarget(), cpuTarget = cpuView.newTarget();
    auto atlas = std::make_unique<PuffAtlas>();
    RandomGenerator random;
    random.seedRandom(31);
    buildPuffAtlas(*atlas, random);
    glTarget->uploadPuffAtlas(*atlas);
    cpuTarget->uploadPuffAtlas(*atlas);

    struct Case {
        const char* name;
        bool fade;
        std::vector<StarRecord> stars;
        std::vector<PuffQuad> puffs;
    };
    const auto puff = [](float x, float y, float angle, float length, float size, float tile,
                         Color4 color) {
        return PuffQuad{x, y, angle, length, size, tile, tile, color};
    };
    StarRecord star{130.0f, 100.0f, 5.5f, {}, {0.125f, 1.0f, 0.125f, 1.0f}};
    for (size_t i = 0; i < star.rays.size(); ++i) {
        star.rays[i] = {static_cast<float>(i * 37 % 360) + 0.1f, 4.0f + static_cast<float>(i)};
    }
    std::vector<PuffQuad> levels, blocks;
    for (int k = 0; k < 6; ++k) {
        const float f = static_cast<float>(k), size = 40.0f / static_cast<float>(1 << k);
        levels.push_back(puff(20.0f + 40.0f * f, 60.0f, 17.0f * f, size * 1.3f, size, 0.125f * f,
                              {1.0f, 0.5f, 0.25f, 1.0f}));
        // Square and level with the pixels: the texture steps 16 / size
        // texels a pixel, at a level's edge where that is 2^k x 1.414.
        const float edge = 16.0f / 1.41421356f / static_cast<float>(1 << k) * 271.0f / 270.0f;
        blocks.push_back(puff(30.0f + 45.0f * f, 150.0f, 0.0f, edge, edge, 0.125f * (f + 1.0f),
                              {0.5f, 1.0f, 1.375f, 1.375f}));
    }
    const Case cases[] = {
        {"a star", false, {star}, {}},
        {"a magnified puff",
         false,
         {},
         {puff(120, 100, 33, 90, 60, 0.375f, {1.4f, 0.3f, 0.6f, 1.4f})}},
        {"puffs at each level", false, {}, levels},
        {"puffs at levels' edges", false, {}, blocks},
        {"the fade of them all", true, {star}, levels},
    };
    for (const Case& c : cases) {
        glDisable(GL_SCISSOR_TEST);
        glClear(GL_COLOR_BUFFER_BIT);
        glView.viewport(area);
        cpuView.clear();
        for (int round = 0; round < (c.fade ? 3 : 1); ++round) {
            for (FrameTarget* t : {glTarget.get(), cpuTarget.get()}) {
                if (round > 0) t->fade(270, 210);
                for (const StarRecord& s : c.stars) t->star(s);
                t->beginPuffs();
                for (const PuffQuad& q : c.puffs) t->puff(q);
                t->endPuffs();
            }
        }
        glFinish();
        std::vector<uint8_t> cpu;
        ASSERT_TRUE(cpuView.readPixels(cpu));
        const Agreement a = compare(gl, cpu);
        EXPECT_GE(a.same, 0.9995) << c.name;
        EXPECT_GE(a.lit, 300u) << c.name;
    }
    glTarget->release();
    cpuTarget->release();
    OSMesaDestroyContext(context);
}

TEST(CpuFrames, TwoMonitorsOfOneWindowAsOpenGlDrawsThem) {
    // A monitor of 320 x 240 at the window's top-left, one of 160 x 120 at
    // its bottom-right, and the rest of the window black.
    std::vector<uint8_t> gl(480 * 300 * 4);
    OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 0, 0, 0, nullptr);
    ASSERT_TRUE(OSMesaMakeCurrent(context, gl.data(), GL_UNSIGNED_BYTE, 480, 300));
    const ScreenRect monitors[] = {{0, 0, 320, 240}, {320, 180, 160, 120}};
    GlFrameView glView;
    CpuFrameView cpuView;
    ASSERT_TRUE(glView.start(480, 300) && cpuView.start(480, 300));
    MonitorScenes glScenes(glView, 9), cpuScenes(cpuView, 9);
    glScenes.setLayout({0, 0, 480, 300}, monitors, 0, [] {});
    cpuScenes.setLayout({0, 0, 480, 300}, monitors, 0, [] {});
    for (uint32_t ms = 40; ms <= 6000; ms += 40) {
        glScenes.frame(ms);
        cpuScenes.frame(ms);
    }
    glFinish();
    std::vector<uint8_t> cpu;
    ASSERT_TRUE(cpuView.readPixels(cpu));
    glScenes.release();
    cpuScenes.release();
    OSMesaDestroyContext(context);

    const Agreement a = compare(gl, cpu);
    EXPECT_GE(a.within, 0.99);
    EXPECT_GE(a.lit, 30000u);
    // Rows from the bottom: the corner below the first monitor and the
    // strip above the second hold no light.
    size_t outside = 0;
    for (uint32_t y = 0; y < 300; ++y) {
        for (uint32_t x = 0; x < 480; ++x) {
            const bool inFirst = x < 320 && y >= 60, inSecond = x >= 320 && y < 120;
            if (inFirst || inSecond) continue;
            for (size_t c = 0; c < 3; ++c) outside += cpu[(y * 480 + x) * 4 + c];
        }
    }
    EXPECT_EQ(outside, 0u);
}

TEST(CpuFrames, ThePictureIsTheSameOnAnyNumberOfThreads) {
    OffscreenRenderer one(400, 300, 13, 0, processor(1, false));
    OffscreenRenderer three(400, 300, 13, 0, processor(3, false));
    one.runUntil(7000, 40);
    three.runUntil(7000, 40);
    EXPECT_EQ(static_cast<CpuFrameView&>(one.view()).threads(), 1u);
    EXPECT_EQ(static_cast<CpuFrameView&>(three.view()).threads(), 3u);
    EXPECT_EQ(one.pixels(), three.pixels());
    EXPECT_GT(compare(one.pixels(), one.pixels()).lit, 20000u);
}

TEST(CpuFrames, SizesWithoutPixelsOrBeyondTheLargest) {
    CpuFrameView view;
    std::vector<uint8_t> rgba{1, 2, 3};
    ASSERT_TRUE(view.start(0, 0));
    EXPECT_TRUE(view.readPixels(rgba));
    EXPECT_TRUE(rgba.empty());
    EXPECT_FALSE(view.start(CpuFrameView::kMaxSide + 1, 16));
    EXPECT_EQ(view.picture().pixels, nullptr);

    // A scene that runs on through a size too large: it draws nothing
    // until a size that fits, then draws again.
    ASSERT_TRUE(view.start(64, 48));
    MonitorScenes scenes(view, 4);
    const ScreenRect small[] = {{0, 0, 64, 48}}, huge[] = {{0, 0, 20000, 48}};
    scenes.setLayout({0, 0, 64, 48}, small, 0, [] {});
    for (uint32_t ms = 100; ms <= 2000; ms += 100) scenes.frame(ms);
    scenes.setLayout({0, 0, 20000, 48}, huge, 2000, [] {});
    for (uint32_t ms = 2100; ms <= 3000; ms += 100) scenes.frame(ms);
    EXPECT_EQ(view.picture().pixels, nullptr);
    EXPECT_FALSE(view.readPixels(rgba));
    scenes.setLayout({0, 0, 64, 48}, small, 3000, [] {});
    for (uint32_t ms = 3100; ms <= 6000; ms += 100) scenes.frame(ms);
    ASSERT_TRUE(view.readPixels(rgba));
    EXPECT_GT(compare(rgba, rgba).lit, 100u);
    scenes.release();
}

}  // namespace
}  // namespace orvelle
