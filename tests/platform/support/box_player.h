#pragma once
// Answers a message box as a player does, through the box the game draws: the
// box is laid out and drawn, then a key is pressed and released on it.

#include <optional>
#include <string_view>

#include "platform/window/message_box_dialog.h"

namespace vesk_test {

// Presses and releases a key on the box.
void PressBoxKey(platform::MessageBoxDialog& box, platform::MessageBoxKey key);

// Yes and OK by Enter (the first button has the focus), No by Escape. The answer
// is the box's own; none when the key did not answer it.
std::optional<platform::MessageBoxAnswer> AnswerThroughTheBox(std::string_view text,
                                                              platform::MessageBoxButtons buttons,
                                                              platform::MessageBoxAnswer wanted);

}  // namespace vesk_test
