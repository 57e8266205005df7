// The virtual-key codes the programs react to: the platform's own values
// (VK_ESCAPE, VK_RETURN, VK_SPACE, VK_LEFT ... VK_DOWN), named here for the
// portable code; the window base checks that they agree.
#pragma once

namespace orvelle::keys {

inline constexpr int kReturn = 0x0D;
inline constexpr int kEscape = 0x1B;
inline constexpr int kSpace = 0x20;
inline constexpr int kLeft = 0x25;
inline constexpr int kUp = 0x26;
inline constexpr int kRight = 0x27;
inline constexpr int kDown = 0x28;

}  // namespace orvelle::keys
