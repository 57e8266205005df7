#include "renderer/cpu/view.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "renderer/cpu/kernels.h"
#include "renderer/cpu/raster.h"
#include "renderer/cpu/workers.h"
#include "renderer/scene/particles.h"

namespace orvelle {
namespace cpu {

// What a frame asks of the picture, in the order it asks: triangles with
// what to do with their pixels, and clears of the whole picture.
enum class OpKind : uint8_t { Clear, Fade, Shade, Texture };

struct Op {
    OpKind kind = OpKind::Clear;
    int8_t level = 0;
    uint32_t shades = 0;
    const AtlasLevels* atlas = nullptr;
    Triangle triangle;
};

class Canvas {
public:
    explicit Canvas(const CpuViewOptions& options)
        : kernels_(options.baselineOnly || avx2Kernels() == nullptr ? baselineKernels()
                                                                    : *avx2Kernels()),
          workers_(options.threads) {}

    bool allocate(uint32_t width, uint32_t height) {
        drop();
        pixels_.clear();
        width_ = height_ = 0;
        if (width > CpuFrameView::kMaxSide || height > CpuFrameView::kMaxSide) return false;
        try {
            // A row's slack past its end; the last row's too.
            pixels_.assign(static_cast<size_t>(width + kRowSlack) * height + kRowSlack, 0u);
        } catch (const std::bad_alloc&) {
            pixels_ = {};
            return false;
        }
        width_ = width;
        height_ = height;
        setViewport({0, 0, static_cast<int32_t>(width), static_cast<int32_t>(height)});
        return true;
    }

    void setViewport(const ScreenRect& area) { view_ = viewTransform(width_, height_, area); }

    // Room for the records of every scene there is at most: a frame of
    // scenes running needs no allocation. (A scene gone leaves its room to
    // the next: monitors that come and go for hours take no more.)
    void sceneMade() {
        constexpr size_t kFadeAndStars = 2 + 3 * 12 * 3;
        constexpr size_t kPuffs = static_cast<size_t>(ParticleSystem::kCount);
        const size_t scenes = scenes_ + 1;
        ops_.reserve(scenes * (kFadeAndStars + 2 * kPuffs) + 4);
        shades_.reserve(scenes * kPuffs);
        atlases_.reserve(scenes + 1);
        scenes_ = scenes;
    }
    void sceneGone() { scenes_ -= 1; }

    void clear() { ops_.push_back({}); }

    void fade(uint32_t viewWidth, uint32_t viewHeight) {
        // A rectangle a unit beyond the view on every side, at the identity.
        const float right = static_cast<float>(viewWidth + 1.0);
        const float top = static_cast<float>(viewHeight + 1.0);
        const Vertex corners[4] = {corner(-1.0f, -1.0f), corner(right, -1.0f), corner(right, top),
                                   corner(-1.0f, top)};
        quad(corners, OpKind::Fade, 0, {});
    }

    void star(const StarRecord& star) {
        Flat2d m = translatedScaled(star.centerX, star.centerY, star.scale);
        const std::array<float, kMaxPlanes> black{0.0f, 0.0f, 0.0f, 1.0f};
        std::array<float, kMaxPlanes> lit{};
        const float c[4] = {star.color.red, star.color.green, star.color.blue, star.color.alpha};
        for (size_t i = 0; i < 4; ++i) lit[i] = std::clamp(c[i], 0.0f, 1.0f);
        for (const StarRay& ray : star.rays) {
            turn(m, ray.angleDegrees);
            // The quad strip of two quads, black but at the centre; its
            // triangle without the centre adds nothing and is left out.
            const float xs[6] = {-3.0f, -3.0f, 0.0f, 0.0f, 3.0f, 3.0f};
            const float ys[6] = {0.0f, ray.length, 0.0f, ray.length, 0.0f, ray.length};
            Vertex v[6];
            for (size_t i = 0; i < 6; ++i)
                v[i] = {toPicture(view_, m, xs[i], ys[i]), i == 2 ? lit : black};
            add(OpKind::Shade, v[2], v[0], v[3], 4);
            add(OpKind::Shade, v[2], v[3], v[5], 4);
            add(OpKind::Shade, v[4], v[2], v[5], 4);
        }
    }

    void puff(const PuffQuad& q, const std::shared_ptr<const AtlasLevels>& atlas) {
        const Flat2d m = puffModelview(q.centerX, q.centerY, q.angleDegrees, q.length, q.size);
        const float u1 = q.u + 0.125f, v1 = q.v + 0.125f;
        const Vertex corners[4] = {{toPicture(view_, m, -1.0f, -1.0f), {q.u, q.v, 0.0f, 0.0f}},
                                   {toPicture(view_, m, -1.0f, 1.0f), {q.u, v1, 0.0f, 0.0f}},
                                   {toPicture(view_, m, 1.0f, 1.0f), {u1, v1, 0.0f, 0.0f}},
                                   {toPicture(view_, m, 1.0f, -1.0f), {u1, q.v, 0.0f, 0.0f}}};
        const std::array<float, 4> color{
            std::clamp(q.color.red, 0.0f, 1.0f), std::clamp(q.color.green, 0.0f, 1.0f),
            std::clamp(q.color.blue, 0.0f, 1.0f), std::clamp(q.color.alpha, 0.0f, 1.0f)};
        const size_t before = ops_.size();
        quad(corners, OpKind::Texture, 2, atlas);
        if (ops_.size() == before) return;
        if (shadesUsed_ == shades_.size()) shades_.emplace_back();
        kernels_.shades(color, shades_[shadesUsed_]);
        for (size_t i = before; i < ops_.size(); ++i) {
            ops_[i].shades = static_cast<uint32_t>(shadesUsed_);
        }
        ++shadesUsed_;
    }

    void draw() {
        if (ops_.empty()) return;
        if (!pixels_.empty()) {
            const size_t bands = (height_ + kBandRows - 1) / kBandRows;
            auto band = [this](size_t b) { drawBand(b); };
            workers_.run(bands, band);
        }
        drop();
    }

    // Records drawn or not, the pending ones forgotten.
    void drop() {
        ops_.clear();
        atlases_.clear();
        shadesUsed_ = 0;
    }

    void freePicture() {
        drop();
        pixels_ = {};
        width_ = height_ = 0;
    }

    CpuPicture picture() {
        draw();
        if (pixels_.empty()) return {};
        return {pixels_.data(), width_, height_, width_ + kRowSlack};
    }

    const Kernels& kernels() const { return kernels_; }
    unsigned threads() const { return workers_.threads(); }

private:
    static constexpr uint32_t kBandRows = 16;

    static Vertex corner(float x, float y) { return {{x, y}, {}}; }

    // A quad as the pipeline splits it: (0, 1, 3) and (1, 2, 3), at the
    // current viewport (fade corners are still in view units).
    void quad(const Vertex (&v)[4], OpKind kind, size_t planes,
              const std::shared_ptr<const AtlasLevels>& atlas) {
        Vertex at[4];
        for (size_t i = 0; i < 4; ++i) {
            at[i] = v[i];
            if (kind == OpKind::Fade) at[i].at = toPicture(view_, Flat2d{}, v[i].at.x, v[i].at.y);
        }
        if (kind == OpKind::Texture) {
            if (!atlas) return;
            if (atlases_.empty() || atlases_.back() != atlas) atlases_.push_back(atlas);
        }
        add(kind, at[0], at[1], at[3], planes, atlas.get());
        add(kind, at[1], at[2], at[3], planes, atlas.get());
    }

    void add(OpKind kind, const Vertex& a, const Vertex& b, const Vertex& c, size_t planes,
             const AtlasLevels* atlas = nullptr) {
        Op op;
        if (!setUpTriangle(view_.clip, a, b, c, planes, op.triangle)) return;
        op.kind = kind;
        op.atlas = atlas;
        if (kind == OpKind::Texture) op.level = static_cast<int8_t>(uniformLevel(op.triangle));
        ops_.push_back(op);
    }

    void drawBand(size_t band) {
        const auto top = static_cast<int32_t>(band * kBandRows);
        const int32_t bottom = std::min<int32_t>(top + static_cast<int32_t>(kBandRows),
                                                 static_cast<int32_t>(height_)) -
                               1;
        const size_t stride = width_ + kRowSlack;
        for (const Op& op : ops_) {
            if (op.kind == OpKind::Clear) {
                std::memset(&pixels_[top * stride], 0,
                            static_cast<size_t>(bottom - top + 1) * stride * sizeof(uint32_t));
                continue;
            }
            const Triangle& t = op.triangle;
            const int32_t from = std::max(top, t.box.top), to = std::min(bottom, t.box.bottom);
            for (int32_t y = from; y <= to; ++y) {
                int32_t first = 0, last = 0;
                if (!rowSpan(t, y, first, last)) continue;
                uint32_t* row = &pixels_[static_cast<size_t>(y) * stride];
                switch (op.kind) {
                    case OpKind::Fade:
                        kernels_.fade(row + first, last - first + 1);
                        break;
                    case OpKind::Shade:
                        kernels_.shade(row, y, first, last, t);
                        break;
                    case OpKind::Texture:
                        kernels_.texture(row, y, first, last, t, *op.atlas, op.level,
                                         shades_[op.shades]);
                        break;
                    case OpKind::Clear:
                        break;
                }
            }
        }
    }

    const Kernels& kernels_;
    Workers workers_;
    std::vector<uint32_t> pixels_;
    uint32_t width_ = 0;
    uint32_t height_ = 0;
    ViewTransform view_;
    size_t scenes_ = 0;
    std::vector<Op> ops_;
    std::vector<PuffShades> shades_;
    size_t shadesUsed_ = 0;
    // The atlases the pending records sample, kept while they wait.
    std::vector<std::shared_ptr<const AtlasLevels>> atlases_;
};

}  // namespace cpu

CpuFrameView::CpuFrameView(const CpuViewOptions& options)
    : canvas_(std::make_shared<cpu::Canvas>(options)) {}

CpuFrameView::~CpuFrameView() = default;

bool CpuFrameView::start(uint32_t width, uint32_t height) {
    return canvas_->allocate(width, height);
}

void CpuFrameView::resize(uint32_t width, uint32_t height) {
    canvas_->allocate(width, height);
}

void CpuFrameView::viewport(const ScreenRect& area) {
    canvas_->setViewport(area);
}

void CpuFrameView::clear() {
    canvas_->clear();
}

std::unique_ptr<FrameTarget> CpuFrameView::newTarget() {
    return std::make_unique<CpuFrameTarget>(canvas_);
}

bool CpuFrameView::readPixels(std::vector<uint8_t>& rgba) {
    const CpuPicture p = canvas_->picture();
    rgba.resize(static_cast<size_t>(p.width) * p.height * 4);
    for (uint32_t r = 0; r < p.height; ++r) {
        const uint32_t* from = p.pixels + static_cast<size_t>(p.height - 1 - r) * p.stride;
        uint8_t* to = rgba.data() + static_cast<size_t>(r) * p.width * 4;
        for (uint32_t x = 0; x < p.width; ++x) {
            to[x * 4] = static_cast<uint8_t>(from[x] >> 16);
            to[x * 4 + 1] = static_cast<uint8_t>(from[x] >> 8);
            to[x * 4 + 2] = static_cast<uint8_t>(from[x]);
            to[x * 4 + 3] = 0xFF;
        }
    }
    return p.pixels != nullptr;
}

void CpuFrameView::release() {
    canvas_->freePicture();
}

CpuPicture CpuFrameView::picture() {
    return canvas_->picture();
}

unsigned CpuFrameView::threads() const {
    return canvas_->threads();
}

const char* CpuFrameView::instructions() const {
    return canvas_->kernels().name;
}

CpuFrameTarget::CpuFrameTarget(std::shared_ptr<cpu::Canvas> canvas) : canvas_(std::move(canvas)) {
    canvas_->sceneMade();
}

CpuFrameTarget::~CpuFrameTarget() {
    canvas_->sceneGone();
}

void CpuFrameTarget::fade(uint32_t viewWidth, uint32_t viewHeight) {
    canvas_->fade(viewWidth, viewHeight);
}

void CpuFrameTarget::star(const StarRecord& star) {
    canvas_->star(star);
}

void CpuFrameTarget::uploadPuffAtlas(const PuffAtlas& atlas) {
    try {
        atlas_ = std::make_shared<const cpu::AtlasLevels>(atlas);
    } catch (const std::bad_alloc&) {
        atlas_.reset();  // no puffs, the rest as ever
    }
}

void CpuFrameTarget::puff(const PuffQuad& quad) {
    canvas_->puff(quad, atlas_);
}

void CpuFrameTarget::release() {
    atlas_.reset();
}

}  // namespace orvelle
