#pragma once
// The message box the game draws itself: its layout, its answer to the keyboard
// and the mouse, and its picture, drawn with the game's fonts and the software
// compositor. It knows nothing of the window system: the window that shows it
// hands it the input in the box's own terms and presents the picture it draws.
//
// Layout: the text, wrapped to a readable width, beside the icon (if any) on a
// white ground; below it, on a grey band, the buttons in a row at the right
// (はい and いいえ for a question, else OK). The box is as large as its text needs.
//
// Input, as on a desktop's boxes: Enter takes the focused button (the first when
// the box opens), Escape and the close button take the last (いいえ or OK), Left,
// Right and Tab move the focus; a key answers when it is released, so its release
// never reaches the game. A button clicks when the pointer is pressed and released
// on it; the button under the pointer is lit.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/font/font.h"
#include "platform/graphics/texture.h"
#include "platform/message_box/box_painting.h"
#include "platform/message_box/message_box.h"

namespace platform {

enum class MessageBoxKey { Enter, Escape, Left, Right, Tab, BackTab };

struct MessageBoxInput {
  enum class Kind { KeyDown, KeyUp, PointerMove, PointerLeave, PointerDown, PointerUp, CloseButton };
  Kind kind = Kind::PointerLeave;
  MessageBoxKey key = MessageBoxKey::Enter;  // for the key inputs
  int x = 0;                                 // for the pointer inputs, in the box's pixels
  int y = 0;
};

class MessageBoxDialog {
 public:
  MessageBoxDialog(std::string_view text, MessageBoxButtons buttons, MessageBoxIcon icon);
  MessageBoxDialog(const MessageBoxDialog&) = delete;
  MessageBoxDialog& operator=(const MessageBoxDialog&) = delete;
  ~MessageBoxDialog();

  // False when no font could be made: the box cannot show its text.
  bool CanShow() const { return m_Font != nullptr; }

  int Width() const { return m_Width; }
  int Height() const { return m_Height; }
  // The text's lines as they are shown (Shift-JIS), and where they are.
  const std::vector<std::string>& Lines() const { return m_Lines; }
  const BoxRect& TextArea() const { return m_TextArea; }
  // Empty without an icon.
  const BoxRect& IconArea() const { return m_IconArea; }
  int ButtonCount() const { return static_cast<int>(m_Buttons.size()); }
  const BoxRect& ButtonArea(int index) const { return m_Buttons[static_cast<std::size_t>(index)].area; }
  const std::string& ButtonLabel(int index) const { return m_Buttons[static_cast<std::size_t>(index)].label; }
  int FocusedButton() const { return m_Focus; }

  void Handle(const MessageBoxInput& input);
  // Set once a button has been taken.
  std::optional<MessageBoxAnswer> Answer() const { return m_Answer; }

  // Draws the box into a picture of Width() x Height() pixels.
  void Draw(Texture& picture);

 private:
  struct Button {
    std::string label;
    MessageBoxAnswer answer;
    BoxRect area;
  };
  struct Glyph {
    Texture ink{0, 0};  // white, the levels as alpha
    int left = 0;       // from the pen
    int top = 0;        // above the baseline
    int advance = 0;
  };

  const Glyph& GlyphOf(std::uint16_t code);
  int TextWidth(std::string_view text);
  void WrapText(std::string_view text, int maxWidth);
  void PlaceEverything();
  void DrawText(Texture& picture, std::string_view text, int x, int top);
  void DrawButton(Texture& picture, int index);
  int ButtonAt(int x, int y) const;

  MessageBoxIcon m_Icon;
  std::unique_ptr<Font> m_Font;
  TextMetrics m_Metrics;
  int m_LineHeight = 0;
  std::map<std::uint16_t, Glyph> m_Glyphs;
  std::vector<std::string> m_Lines;
  std::vector<Button> m_Buttons;
  BoxRect m_TextArea;
  BoxRect m_IconArea;
  BoxRect m_Band;
  int m_Width = 0;
  int m_Height = 0;

  int m_Focus = 0;
  int m_Hover = -1;    // the button under the pointer
  int m_Pressed = -1;  // the button the pointer was pressed on
  std::optional<MessageBoxKey> m_HeldKey;  // Enter or Escape, answering when released
  int m_KeyChoice = 0;
  std::optional<MessageBoxAnswer> m_Answer;
};

}  // namespace platform
