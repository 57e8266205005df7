#include "renderer/cpu/choice.h"

#include <array>
#include <cctype>

namespace orvelle {
namespace {

bool sameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

bool containsLetters(std::string_view text, std::string_view word) {
    for (size_t i = 0; i + word.size() <= text.size(); ++i) {
        if (sameLetters(text.substr(i, word.size()), word)) return true;
    }
    return false;
}

}  // namespace

RenderingRequest renderingRequested(std::optional<std::string_view> variable) {
    if (!variable || variable->empty()) return {};
    if (sameLetters(*variable, "cpu")) return {Rendering::Cpu, true};
    if (sameLetters(*variable, "gl")) return {Rendering::Gl, true};
    return {std::nullopt, false};
}

bool drawsInSoftware(std::string_view rendererName) {
    static constexpr std::array<std::string_view, 4> kSoftware = {"llvmpipe", "softpipe", "swrast",
                                                                  "GDI Generic"};
    for (std::string_view name : kSoftware) {
        if (containsLetters(rendererName, name)) return true;
    }
    return false;
}

Rendering chooseRendering(std::optional<std::string_view> variable, std::string_view rendererName,
                          bool softwareFormat) {
    if (const RenderingRequest asked = renderingRequested(variable); asked.rendering) {
        return *asked.rendering;
    }
    return softwareFormat || drawsInSoftware(rendererName) ? Rendering::Cpu : Rendering::Gl;
}

}  // namespace orvelle
