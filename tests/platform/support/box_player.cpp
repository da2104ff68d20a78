#include "tests/platform/support/box_player.h"

namespace vesk_test {

using Kind = platform::MessageBoxInput::Kind;

void PressBoxKey(platform::MessageBoxDialog& box, platform::MessageBoxKey key) {
  box.Handle({Kind::KeyDown, key, 0, 0});
  box.Handle({Kind::KeyUp, key, 0, 0});
}

std::optional<platform::MessageBoxAnswer> AnswerThroughTheBox(std::string_view text,
                                                              platform::MessageBoxButtons buttons,
                                                              platform::MessageBoxAnswer wanted) {
  platform::MessageBoxDialog box(text, buttons, platform::MessageBoxIcon::None);
  platform::Texture picture(box.Width(), box.Height());
  box.Draw(picture);
  PressBoxKey(box, wanted == platform::MessageBoxAnswer::No ? platform::MessageBoxKey::Escape
                                                            : platform::MessageBoxKey::Enter);
  return box.Answer();
}

}  // namespace vesk_test
