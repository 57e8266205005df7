#include "controls/frame.h"

#include <algorithm>

namespace orvelle {

Channels splitColour(Colour c) {
    const auto v = static_cast<int32_t>(c);
    return {v & 255, (v / 256) & 255, (v / 65536) & 255};
}

Colour blendColour(Colour a, Colour b, int16_t p, int16_t q) {
    const Channels ca = splitColour(a), cb = splitColour(b);
    auto channel = [&](int32_t x, int32_t y) -> int64_t { return x - int64_t{(x - y) / p} * q; };
    // A loaded depth or opacity far out of range can push a channel beyond a
    // byte; the sum keeps 32 bits, as the value is stored.
    const int64_t value = channel(ca.red, cb.red) + 256 * channel(ca.green, cb.green) +
                          65536 * channel(ca.blue, cb.blue);
    return static_cast<Colour>(static_cast<uint64_t>(value));
}

namespace {

void drawBox(Canvas& canvas, int32_t style, int left, int top, int right, int bottom,
             int16_t cornerDepth) {
    if (style == 1) {
        canvas.rectangle(left, top, right, bottom);
    } else {
        canvas.roundRect(left, top, right, bottom, cornerDepth, cornerDepth);
    }
}

}  // namespace

void drawFrame(Canvas& canvas, const FrameProperties& p, Colour ambient) {
    const Colour bg = p.backColourIs != 0 ? p.backColour : ambient;
    const int w = canvas.width(), h = canvas.height();
    canvas.clear(bg);
    if (p.frameStyle != 0 && p.frameStyle != 1) return;
    if (p.showShadow != kTrue16) {
        canvas.setSolidBrush(p.fillColour);
        canvas.setPen(p.borderColour);
        drawBox(canvas, p.frameStyle, 0, 0, w, h, p.cornerDepth);
        return;
    }
    const int d = p.shadowDepth;
    const Colour base = blendColour(0, bg, 100, static_cast<int16_t>(100 - p.shadowOpacity));
    canvas.setHollowBrush();
    // A depth below 1 (only from stored values) would divide by zero: no rings.
    for (int i = 0; d >= 1 && i <= d; ++i) {
        canvas.setPen(blendColour(base, bg, static_cast<int16_t>(d), static_cast<int16_t>(i)));
        drawBox(canvas, p.frameStyle, 2 * d - i, 2 * d - i, w - d + i, h - d + i, p.cornerDepth);
    }
    if (p.frameStyle == 0) smoothShadowCorners(canvas, bg, p.shadowDepth, p.cornerDepth);
    canvas.setSolidBrush(p.fillColour);
    canvas.setPen(p.borderColour);
    drawBox(canvas, p.frameStyle, 0, 0, w - d, h - d, p.cornerDepth);
}

Colour neighbourColour(Canvas& canvas, int x, int y, int direction) {
    switch (direction) {
        case 0:
            return canvas.getPixel(x, y - 1);
        case 1:
            return canvas.getPixel(x + 1, y);
        case 2:
            return canvas.getPixel(x, y + 1);
        case 3:
            return canvas.getPixel(x - 1, y);
        default:
            return 0;
    }
}

namespace {

// sum / 4 to the nearest whole number, a half to the even neighbour.
int32_t quarterToEven(int32_t sum) {
    const int32_t q = sum / 4, r = sum % 4;
    return (r > 2 || (r == 2 && q % 2 != 0)) ? q + 1 : q;
}

}  // namespace

void smoothShadowCorners(Canvas& canvas, Colour bg, int16_t shadowDepth, int16_t cornerDepth) {
    const int w = canvas.width(), h = canvas.height();
    const int d = shadowDepth, c = cornerDepth;
    const struct {
        int x0, x1, y0, y1;
    } regions[] = {
        {w - 2 * c, w - 3, h - 2 * c, h - 3},  // bottom-right corner
        {w - 2 * c, w - 3, d, 4 * d},          // top-right corner of the shadow
        {d, 4 * d, h - 2 * c, h - 3},          // bottom-left corner of the shadow
    };
    for (const auto& r : regions) {
        for (int x = r.x0; x <= r.x1; ++x) {
            for (int y = r.y0; y <= r.y1; ++y) {
                if (canvas.getPixel(x, y) != bg) continue;
                int32_t sum[3] = {};
                for (int direction = 0; direction < 4; ++direction) {
                    const Channels n = splitColour(neighbourColour(canvas, x, y, direction));
                    sum[0] += n.red;
                    sum[1] += n.green;
                    sum[2] += n.blue;
                }
                canvas.setPixelV(
                    x, y, rgb(quarterToEven(sum[0]), quarterToEven(sum[1]), quarterToEven(sum[2])));
            }
        }
    }
}

GFXFrameX::GFXFrameX(FrameHost& host) : host_(host) {
    properties_.fillColour = properties_.backColour = host.ambientBackColour();
}

template <typename T>
void GFXFrameX::set(T& field, T value, const char* name) {
    field = value;
    host_.propertyChanged(name);
    refresh();
}

void GFXFrameX::setFrameStyle(int32_t v) {
    set(properties_.frameStyle, v, "FrameStyle");
}
void GFXFrameX::setShadowOpacity(int16_t v) {
    set(properties_.shadowOpacity, std::clamp<int16_t>(v, 0, 100), "ShadowOpacity");
}
void GFXFrameX::setShowShadow(int16_t v) {
    set(properties_.showShadow, v, "ShowShadow");
}
void GFXFrameX::setShadowDepth(int16_t v) {
    set(properties_.shadowDepth, std::clamp<int16_t>(v, 2, kMaxShadowDepth), "ShadowDepth");
}
void GFXFrameX::setFillColour(Colour v) {
    set(properties_.fillColour, v, "FillColour");
}
void GFXFrameX::setBackColour(Colour v) {
    set(properties_.backColour, v, "BackColour");
}
void GFXFrameX::setBackColourIs(int32_t v) {
    set(properties_.backColourIs, v, "BackColourIs");
}
void GFXFrameX::setBorderColour(Colour v) {
    set(properties_.borderColour, v, "BorderColour");
}
void GFXFrameX::setCornerDepth(int16_t v) {
    set(properties_.cornerDepth, std::clamp<int16_t>(v, 0, 50), "CornerDepth");
}

void GFXFrameX::refresh() {
    host_.paint(properties_);
}

void GFXFrameX::loadProperties(PropertyStore& store) {
    const FrameProperties d;
    const Colour ambient = host_.ambientBackColour();
    FrameProperties& p = properties_;
    p.frameStyle = store.readInt32("FrameStyle").value_or(d.frameStyle);
    p.shadowOpacity = store.readInt16("ShadowOpacity").value_or(d.shadowOpacity);
    p.showShadow = store.readBoolean("ShowShadow").value_or(true) ? kTrue16 : 0;
    p.shadowDepth = store.readInt16("ShadowDepth").value_or(d.shadowDepth);
    p.fillColour =
        static_cast<Colour>(store.readInt32("FillColour").value_or(static_cast<int32_t>(ambient)));
    p.backColour =
        static_cast<Colour>(store.readInt32("BackColour").value_or(static_cast<int32_t>(ambient)));
    p.backColourIs = store.readInt32("BackColourIs").value_or(d.backColourIs);
    p.borderColour = static_cast<Colour>(
        store.readInt32("BorderColour").value_or(static_cast<int32_t>(d.borderColour)));
    p.cornerDepth = store.readInt16("CornerDepth").value_or(d.cornerDepth);
    refresh();
}

void GFXFrameX::saveProperties(PropertyStore& store) const {
    const FrameProperties d;
    const auto ambient = static_cast<int32_t>(host_.ambientBackColour());
    const FrameProperties& p = properties_;
    auto int32 = [&](const char* key, int32_t value, int32_t byDefault) {
        if (value != byDefault) store.writeInt32(key, value);
    };
    auto int16 = [&](const char* key, int16_t value, int16_t byDefault) {
        if (value != byDefault) store.writeInt16(key, value);
    };
    int32("FrameStyle", p.frameStyle, d.frameStyle);
    int16("ShadowOpacity", p.shadowOpacity, d.shadowOpacity);
    if (p.showShadow != kTrue16) store.writeBoolean("ShowShadow", false);
    int16("ShadowDepth", p.shadowDepth, d.shadowDepth);
    int32("FillColour", static_cast<int32_t>(p.fillColour), ambient);
    int32("BackColour", static_cast<int32_t>(p.backColour), ambient);
    int32("BackColourIs", p.backColourIs, d.backColourIs);
    int32("BorderColour", static_cast<int32_t>(p.borderColour), 0);
    int16("CornerDepth", p.cornerDepth, d.cornerDepth);
}

}  // namespace orvelle
