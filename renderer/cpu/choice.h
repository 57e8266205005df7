// Which backend draws a run: OpenGL, or the processor where OpenGL would
// draw in software anyway (a virtual machine, a remote desktop, Windows'
// basic display adapter, Mesa without a GPU driver), where the processor
// backend draws the same picture several times faster. The variable
// ORVELLE_RENDERING=cpu|gl decides for tests and users who want one.
#pragma once

#include <optional>
#include <string_view>

namespace orvelle {

enum class Rendering { Gl, Cpu };

inline constexpr const char* kRenderingVariable = "ORVELLE_RENDERING";

// What the variable's value asks for: "cpu" or "gl" in any case; nothing
// where it is unset or empty, or says something else (then `understood`
// is false, and the program says so).
struct RenderingRequest {
    std::optional<Rendering> rendering;
    bool understood = true;
};
RenderingRequest renderingRequested(std::optional<std::string_view> variable);

// Whether an OpenGL renderer, by the name it gives (GL_RENDERER), draws
// in software: Mesa's llvmpipe, softpipe and swrast, Windows' own "GDI
// Generic".
bool drawsInSoftware(std::string_view rendererName);

// The variable's choice where it makes one; otherwise the processor for
// OpenGL in software (by its name, or by a pixel format without hardware
// acceleration), OpenGL elsewhere.
Rendering chooseRendering(std::optional<std::string_view> variable, std::string_view rendererName,
                          bool softwareFormat);

}  // namespace orvelle
