#include "gl_api.h"
#include "scene.h"

namespace orvelle {

void Light::draw(const RendererState& state, RandomGenerator& random) const {
    const float w = static_cast<float>(state.viewWidth);
    const float h = static_cast<float>(state.viewHeight);
    const float x = position.x, y = position.y, z = position.z;
    // The ray scale, about W * 4.6875 / z.
    const float s = static_cast<float>(w * 58.59375 * 4.0 / z) * 0.02f;

    glPushMatrix();
    glTranslatef(static_cast<float>(w * x / z + w * 0.5), static_cast<float>(w * y / z + h * 0.5),
                 0.0f);
    glScalef(s, s, 0.0f);
    for (int ray = 0; ray < 12; ++ray) {
        // Each ray turns on from the previous one's orientation.
        const float angle = static_cast<float>(random.nextRandom() % 3600) * 0.1f;
        glRotatef(angle, 0.0f, 0.0f, 1.0f);
        glBegin(GL_QUAD_STRIP);
        glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
        glVertex2f(-3.0f, 0.0f);
        const float len = static_cast<float>(random.nextRandom() & 255) * 0.0625f + 2.0f;
        glVertex2f(-3.0f, len);
        glColor4f(color.red, color.green, color.blue, color.alpha);
        glVertex2f(0.0f, 0.0f);
        glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
        glVertex2f(0.0f, len);
        glVertex2f(3.0f, 0.0f);
        glVertex2f(3.0f, len);
        glEnd();
    }
    glPopMatrix();
}

}  // namespace orvelle
