// The choice of backend: what the variable asks for, which renderers draw
// in software, and the choice from both.
#include "renderer/cpu/choice.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace orvelle {
namespace {

TEST(RenderingChoice, TheVariableAsksForCpuOrGlInAnyCaseAndNothingElse) {
    struct Case {
        std::optional<std::string_view> variable;
        std::optional<Rendering> asked;
        bool understood;
    };
    const Case cases[] = {
        {std::nullopt, std::nullopt, true}, {"", std::nullopt, true},
        {"cpu", Rendering::Cpu, true},      {"CPU", Rendering::Cpu, true},
        {"gl", Rendering::Gl, true},        {"Gl", Rendering::Gl, true},
        {"opengl", std::nullopt, false},    {"cpu ", std::nullopt, false},
        {"c", std::nullopt, false},
    };
    for (const Case& c : cases) {
        const RenderingRequest r = renderingRequested(c.variable);
        EXPECT_EQ(r.rendering, c.asked) << c.variable.value_or("(unset)");
        EXPECT_EQ(r.understood, c.understood) << c.variable.value_or("(unset)");
    }
}

TEST(RenderingChoice, SoftwareRenderersByNameAndTheVariableAboveAll) {
    struct Case {
        std::optional<std::string_view> variable;
        std::string_view renderer;
        bool softwareFormat;
        Rendering chosen;
    };
    const Case cases[] = {
        // Mesa without a GPU driver, as Linux, Wine and a virtual machine show it.
        {std::nullopt, "llvmpipe (LLVM 15.0.6, 256 bits)", false, Rendering::Cpu},
        {std::nullopt, "Gallium 0.4 on softpipe", false, Rendering::Cpu},
        {std::nullopt, "Software Rasterizer (swrast)", false, Rendering::Cpu},
        {std::nullopt, "Mesa X11 SWRAST", false, Rendering::Cpu},
        // Windows' own OpenGL 1.1, and any renderer on an unaccelerated format.
        {std::nullopt, "GDI Generic", false, Rendering::Cpu},
        {std::nullopt, "", true, Rendering::Cpu},
        // Hardware.
        {std::nullopt, "AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6)", false, Rendering::Gl},
        {std::nullopt, "Mesa Intel(R) UHD Graphics 620 (KBL GT2)", false, Rendering::Gl},
        {std::nullopt, "NVIDIA GeForce GTX 1060/PCIe/SSE2", false, Rendering::Gl},
        {std::nullopt, "", false, Rendering::Gl},
        // The variable decides either way; a word it does not know, not.
        {"gl", "llvmpipe (LLVM 15.0.6, 256 bits)", true, Rendering::Gl},
        {"cpu", "NVIDIA GeForce GTX 1060/PCIe/SSE2", false, Rendering::Cpu},
        {"vulkan", "llvmpipe (LLVM 15.0.6, 256 bits)", false, Rendering::Cpu},
        {"vulkan", "NVIDIA GeForce GTX 1060/PCIe/SSE2", false, Rendering::Gl},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(chooseRendering(c.variable, c.renderer, c.softwareFormat), c.chosen)
            << c.variable.value_or("(unset)") << " / " << c.renderer;
    }
}

}  // namespace
}  // namespace orvelle
