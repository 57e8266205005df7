#include "renderer/x11/presentation.h"

#include <cstdio>

namespace orvelle {

bool FpsFigure::update(const FrameRate& rate) {
    if (!rate.fresh()) return false;
    std::snprintf(text_, sizeof text_, "FPS: %.1f", rate.perSecond());
    std::printf("%s\n", text_);
    std::fflush(stdout);
    return true;
}

GlPresentation::GlPresentation(X11Window& window, GlxContext& context, bool overlaid)
    : Presentation(window), context_(context) {
    if (!overlaid) return;
    XFontStruct* font = XLoadQueryFont(window.display(), "fixed");
    if (font == nullptr) return;
    lists_ = glGenLists(96);
    glXUseXFont(font->fid, 32, 96, static_cast<int>(lists_));
    XFreeFont(window.display(), font);
}

void GlPresentation::present() {
    if (lists_ != 0 && !overlay.empty()) {
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        glRasterPos2i(8, 8);
        glListBase(lists_ - 32);
        glCallLists(static_cast<GLsizei>(overlay.size()), GL_UNSIGNED_BYTE, overlay.data());
    }
    context_.swap();
}

}  // namespace orvelle
