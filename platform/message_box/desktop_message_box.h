#pragma once
// Shows a drawn message box in a small window of its own on the desktop, modal
// over the game's window and centred on it (on the screen while there is no game
// window yet), until one of its buttons is taken. The box keeps the keyboard:
// when the game's window takes the focus the box takes it back, Enter and Escape
// sent to the game's window answer the box meanwhile, and the game's window has
// the focus again once the box is gone.

#include <optional>
#include <string_view>

#include "platform/message_box/message_box.h"
#include "platform/message_box/message_box_dialog.h"

namespace platform {

// The answer; nothing when no window could be opened (or the box has no font).
// A termination signal or the system's quit closes the box as its close button does.
std::optional<MessageBoxAnswer> ShowInDesktopWindow(std::string_view caption, MessageBoxDialog& dialog);

}  // namespace platform
