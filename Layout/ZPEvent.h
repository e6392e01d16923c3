// One mouse or key event as the canvas's editing logic sees it. The widget fills it
// from Qt's events; tests build it directly, so editing works without a window.
#pragma once

#include "ZPGeometry.h"

#include <cstdint>

// Modifier flag of a Command-click (Ctrl on Linux and Windows; Qt already maps the
// Command key to Ctrl on macOS). No other modifier is looked at.
constexpr uint32_t ZPCommandKeyMask = 1u << 20;

// Key codes the canvas handles. Backspace and Delete both give ZPDeleteKeyCode; every
// other key gives ZPUnknownKeyCode and is swallowed.
constexpr uint16_t ZPDeleteKeyCode = 51;
constexpr uint16_t ZPLeftArrowKeyCode = 123;
constexpr uint16_t ZPRightArrowKeyCode = 124;
constexpr uint16_t ZPDownArrowKeyCode = 125;
constexpr uint16_t ZPUpArrowKeyCode = 126;
constexpr uint16_t ZPUnknownKeyCode = 0xFFFF;

struct ZPEvent {
    // In the view's own coordinates (y grows downward).
    ZPPoint location;
    uint32_t modifierFlags = 0;
    // The pointer's displacement since the previous mouse event of the same drag,
    // x positive to the right, y positive downward.
    float deltaX = 0.0f;
    float deltaY = 0.0f;
    uint16_t keyCode = ZPUnknownKeyCode;

    bool hasCommand() const { return (modifierFlags & ZPCommandKeyMask) != 0; }

    static ZPEvent mouse(ZPPoint location, uint32_t modifierFlags = 0, float deltaX = 0.0f,
                         float deltaY = 0.0f) {
        ZPEvent event;
        event.location = location;
        event.modifierFlags = modifierFlags;
        event.deltaX = deltaX;
        event.deltaY = deltaY;
        return event;
    }
    static ZPEvent key(uint16_t keyCode, uint32_t modifierFlags = 0) {
        ZPEvent event;
        event.keyCode = keyCode;
        event.modifierFlags = modifierFlags;
        return event;
    }
};
