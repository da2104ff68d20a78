#pragma once
// Message boxes: a caption, a text, OK or Yes/No buttons and an optional icon.
// Text is Shift-JIS. The game draws the box itself, with its own fonts, in a small
// modal window over the game's window (see message_box_dialog.h); its text also
// goes to standard error as "[caption] text". Without a display only the text on
// standard error remains, and a Yes/No question is answered Yes. Tests install a
// handler that records boxes and answers from a script.

#include <functional>
#include <string>
#include <string_view>

namespace platform {

enum class MessageBoxButtons { Ok, YesNo };
enum class MessageBoxAnswer { Ok, Yes, No };
enum class MessageBoxIcon { None, Exclamation };

MessageBoxAnswer ShowMessageBox(std::string_view caption, std::string_view text, MessageBoxButtons buttons,
                                MessageBoxIcon icon = MessageBoxIcon::None);

// Replaces the real boxes while installed; an empty handler restores them.
using MessageBoxHandler = std::function<MessageBoxAnswer(std::string_view caption, std::string_view text,
                                                         MessageBoxButtons buttons, MessageBoxIcon icon)>;
void SetMessageBoxHandler(MessageBoxHandler handler);

}  // namespace platform
