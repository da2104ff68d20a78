#pragma once
// The checks of the drawing arguments that the picture commands (layers, buttons,
// sprites, the text window, its cursor, the choice window and the timed choice's
// images) evaluate when they run. Each ends the program with its message, through
// the host's RuntimeError, when the value is out of range.

#include <cstdint>

#include "plugin/core/engine_names.h"

namespace nsWendrick {

// "透過度が負数か255を超えています！（m_A = %d）" unless 0 <= alpha <= 255.
void CheckAlpha(WindowHandle owner, std::int32_t alpha);
// "転送方法の指定が間違っています！（m_BltType = %d）" unless 0 <= blt <= 7.
void CheckBltType(WindowHandle owner, std::int32_t blt);
// "転送元矩形の指定が間違っています！（m_RectX = ...）" when a component of the source
// rectangle is negative; a button's or a choice window's state, when given, is
// named in the message.
void CheckSourceRect(WindowHandle owner, std::int32_t x, std::int32_t y, std::int32_t width,
                     std::int32_t height, const char* state = nullptr);

}  // namespace nsWendrick
