// The frame as a user would see it wrong, on the software canvas.
#include "controls/frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "tests/support/joined.h"
#include "tests/support/map_store.h"
#include "tests/support/software_canvas.h"

namespace orvelle {
namespace {

using testing::SoftwareCanvas;

constexpr Colour kDialogGrey = rgb(224, 224, 224);

Colour grey(int level) {
    return rgb(level, level, level);
}

class TestFrameHost final : public FrameHost {
public:
    TestFrameHost(int w, int h, Colour background)
        : canvas(w, h, systemColour), ambient(background) {}
    static Colour systemColour(int index) { return rgb(index, 200, 200); }
    void paint(const FrameProperties& properties) override {
        drawFrame(canvas, properties, ambient);
        ++draws;
    }
    Colour ambientBackColour() override { return ambient; }
    void propertyChanged(const char* name) override { changes.push_back(name); }

    SoftwareCanvas canvas;
    Colour ambient;
    std::vector<std::string> changes;
    int draws = 0;
};

TEST(Frame, PicturesThroughTheSettersAndOnASystemColour) {
    // Regression guard: the digests of the pictures. Worked numbers: the
    // default shadow's rings 1 to 5 beyond the outline at x = 54 are grey 124,
    // 148, 172, 196 and 220 (ring 0 lies under the outline; the background
    // is 224); an opaque shadow starts black, its first visible ring 44.
    TestFrameHost host(60, 40, kDialogGrey);
    GFXFrameX frame(host);
    EXPECT_EQ(host.draws, 0) << "a new instance draws on its first size change";
    frame.sizeChanged();
    SoftwareCanvas& c = host.canvas;
    EXPECT_EQ(c.getPixel(55, 20), grey(124));
    EXPECT_EQ(c.getPixel(59, 20), grey(220));
    EXPECT_EQ(c.digest(), 0x177a3d6f02d40ff9u);
    frame.setShadowOpacity(100);
    EXPECT_EQ(c.getPixel(55, 20), grey(44));
    EXPECT_EQ(c.digest(), 0x8a3ca968b51bc511u);
    frame.setFillColour(rgb(1, 2, 3));
    for (int32_t style : {2, -1}) {
        frame.setFrameStyle(style);
        for (Colour p : c.pixels()) ASSERT_EQ(p, kDialogGrey) << "only the background";
    }
    frame.setFrameStyle(1);
    frame.setShowShadow(1);  // only all bits set counts as true
    EXPECT_EQ(c.getPixel(59, 39), 0u) << "the outline on the outermost pixels";
    EXPECT_EQ(c.digest(), 0x125a34290e140ce9u);
    EXPECT_EQ(testing::joined(host.changes),
              "ShadowOpacity, FillColour, FrameStyle, FrameStyle, FrameStyle, ShowShadow");
    // A system colour behind the frame: the background shows the colour it
    // names, the shadow comes out nearly black, and no pixel is smoothed.
    TestFrameHost system(40, 30, 0x8000000F);
    GFXFrameX onSystem(system);
    onSystem.setFrameStyle(0);
    EXPECT_EQ(system.canvas.getPixel(0, 29), TestFrameHost::systemColour(15));
    EXPECT_EQ(system.canvas.getPixel(39, 15), rgb(15, 0, 0));
    EXPECT_EQ(system.canvas.digest(), 0x375be39c46229af3u);
    SoftwareCanvas before = system.canvas;
    smoothShadowCorners(system.canvas, 0x8000000F, 5, 10);
    EXPECT_EQ(system.canvas.pixels(), before.pixels());
}

TEST(Frame, BlendAndSystemColourArithmetic) {
    const Colour white = rgb(255, 255, 255);
    EXPECT_EQ(blendColour(0, white, 100, 100), grey(200)) << "opacity 0";
    EXPECT_EQ(blendColour(0, white, 100, 50), grey(100));
    EXPECT_EQ(blendColour(0, white, 100, 0), 0u) << "opacity 100";
    const Channels split = splitColour(0x8000000F);
    EXPECT_EQ(std::tuple(split.red, split.green, split.blue), std::tuple(15, 1, 1));
}

TEST(Frame, SettersLimitLoadedValuesDoNotAndSavingSkipsDefaults) {
    TestFrameHost host(50, 40, kDialogGrey);
    GFXFrameX frame(host);
    // The setters hold the corner depth to 0..50, the opacity to 0..100 and
    // the shadow depth to 2..kMaxShadowDepth.
    const auto set = [&](int16_t corner, int16_t opacity, int16_t depth) {
        frame.setCornerDepth(corner);
        frame.setShadowOpacity(opacity);
        frame.setShadowDepth(depth);
        const FrameProperties& p = frame.properties();
        return std::tuple(p.cornerDepth, p.shadowOpacity, p.shadowDepth);
    };
    EXPECT_EQ(set(60, 150, 1), std::tuple(50, 100, 2));
    EXPECT_EQ(set(-3, -1, 45), std::tuple(0, 0, kMaxShadowDepth));

    testing::MapStore store;
    store.values = {{"CornerDepth", 80}, {"ShadowDepth", 0}, {"ShadowOpacity", -5}};
    const int draws = host.draws;
    frame.loadProperties(store);
    EXPECT_EQ(host.draws, draws + 1) << "one redraw at the end of loading";
    EXPECT_EQ(testing::joined(store.reads),
              "FrameStyle, ShadowOpacity, ShowShadow, ShadowDepth, FillColour, BackColour, "
              "BackColourIs, BorderColour, CornerDepth");
    const FrameProperties& p = frame.properties();  // a missing key: the default
    EXPECT_EQ(std::tuple(p.cornerDepth, p.shadowDepth, p.fillColour),
              std::tuple(80, 0, kDialogGrey));

    testing::MapStore saved;
    set(10, 50, 5);  // the defaults
    frame.saveProperties(saved);
    EXPECT_TRUE(saved.values.empty()) << "defaults are not stored";
    frame.setBorderColour(rgb(9, 9, 9));
    frame.saveProperties(saved);
    EXPECT_EQ(saved.values.size(), 1u);
}

TEST(Frame, SmoothingReplacesOnlyTheBackgroundWithTheRoundedMeanInWalkOrder) {
    // Region 1 of a 12 x 12 image with corner depth 2: x and y from 8 to 9.
    SoftwareCanvas c(12, 12);
    const Colour bg = rgb(10, 10, 10);
    c.clear(rgb(20, 20, 21));
    c.setPixelV(8, 8, bg);
    c.setPixelV(8, 9, bg);               // below (8, 8): replaced after it, read before
    c.setPixelV(9, 8, rgb(10, 10, 11));  // one unit off in blue: left alone
    c.setPixelV(9, 9, bg);
    c.setPixelV(10, 9, bg);               // beyond the region (x up to 12 - 3)
    c.setPixelV(9, 10, rgb(22, 20, 21));  // below the region
    smoothShadowCorners(c, bg, 1, 2);
    // (8, 8): the mean of above, right, below and left, rounded.
    EXPECT_EQ(c.getPixel(8, 8), rgb(15, 15, 16));
    EXPECT_EQ(c.getPixel(9, 8), rgb(10, 10, 11));
    // (8, 9) sees (8, 8) with its new colour; (9, 9) sees it too, and its
    // red 58 / 4 rounds to the even 14.
    EXPECT_EQ(c.getPixel(8, 9), rgb(16, 16, 17));
    EXPECT_EQ(c.getPixel(9, 9), rgb(14, 14, 15));
    EXPECT_EQ(c.getPixel(10, 9), bg);
    EXPECT_EQ(neighbourColour(c, 1, 1, 7), 0u);
    // The three regions' bounds on a frame wider than high (W 40, H 30,
    // shadow depth 2, corner depth 5), on a checkerboard of the background
    // and grey 20: the background pixels inside a region turn grey, the
    // others stay.
    const struct {
        int x0, x1, y0, y1;
    } regions[] = {{30, 37, 20, 27}, {30, 37, 2, 8}, {2, 8, 20, 27}};
    SoftwareCanvas board(40, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) board.setPixelV(x, y, (x + y) % 2 ? grey(20) : bg);
    smoothShadowCorners(board, bg, 2, 5);
    for (int y = 0; y < 30; ++y) {
        for (int x = y % 2; x < 40; x += 2) {
            const bool inside = std::any_of(std::begin(regions), std::end(regions), [&](auto r) {
                return x >= r.x0 && x <= r.x1 && y >= r.y0 && y <= r.y1;
            });
            EXPECT_EQ(board.getPixel(x, y), inside ? grey(20) : bg) << x << "," << y;
        }
    }
    // A region whose bounds cross is empty: corner depth 1 on this image.
    SoftwareCanvas d(12, 12);
    d.clear(bg);
    smoothShadowCorners(d, bg, 5, 1);
    EXPECT_EQ(d.getPixel(10, 10), bg);
}

}  // namespace
}  // namespace orvelle
