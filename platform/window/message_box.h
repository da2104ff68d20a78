#pragma once
// Message boxes: a caption, a text and OK or Yes/No buttons. Text is Shift-JIS.
// Without a display the box is printed to the terminal, and a Yes/No question is
// answered Yes. Tests install a handler that records boxes and answers from a script.

#include <functional>
#include <string>
#include <string_view>

namespace platform {

enum class MessageBoxButtons { Ok, YesNo };
enum class MessageBoxAnswer { Ok, Yes, No };

MessageBoxAnswer ShowMessageBox(std::string_view caption, std::string_view text,
                                MessageBoxButtons buttons);

// Replaces the real boxes while installed; an empty handler restores them.
using MessageBoxHandler = std::function<MessageBoxAnswer(
    std::string_view caption, std::string_view text, MessageBoxButtons buttons)>;
void SetMessageBoxHandler(MessageBoxHandler handler);

}  // namespace platform
