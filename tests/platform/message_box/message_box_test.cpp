// The message box the game draws: its layout and picture (on the fixed-metric
// fonts, and once on the game's real face), its answers to scripted keys and
// clicks, and the game's window while a box is open; and the boxes a test scripts
// and the terminal's text without a display.
#include "platform/message_box/message_box_dialog.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/graphics/graphics_device.h"
#include "platform/message_box/desktop_message_box.h"
#include "platform/message_box/message_box.h"
#include "platform/window/sdl_window_access.h"
#include "tests/platform/support/fake_glyph_source.h"
#include "tests/platform/support/graphics_test_back_end.h"

namespace {

using platform::BoxRect;
using platform::MessageBoxAnswer;
using platform::MessageBoxButtons;
using platform::MessageBoxDialog;
using platform::MessageBoxIcon;
using platform::MessageBoxKey;
using Kind = platform::MessageBoxInput::Kind;

platform::Texture Picture(MessageBoxDialog& box) {
  platform::Texture picture(box.Width(), box.Height());
  box.Draw(picture);
  return picture;
}

int CountPixels(const platform::Texture& picture, const BoxRect& area, const std::function<bool(std::uint32_t)>& is) {
  int count = 0;
  for (int y = area.y; y < area.y + area.height; ++y) {
    for (int x = area.x; x < area.x + area.width; ++x) count += is(picture.At(x, y)) ? 1 : 0;
  }
  return count;
}
bool IsInk(std::uint32_t pixel) { return (pixel & 0xFFFFFFu) < 0x404040u; }
bool IsYellow(std::uint32_t pixel) { return (pixel >> 16 & 0xFF) > 200 && (pixel >> 8 & 0xFF) > 150 && (pixel & 0xFF) < 100; }

std::optional<MessageBoxAnswer> Click(MessageBoxDialog& box, int button) {
  const BoxRect& area = box.ButtonArea(button);
  for (Kind kind : {Kind::PointerMove, Kind::PointerDown, Kind::PointerUp}) {
    box.Handle({kind, {}, area.x + area.width / 2, area.y + area.height / 2});
  }
  return box.Answer();
}

std::optional<MessageBoxAnswer> Keys(MessageBoxButtons buttons, std::initializer_list<MessageBoxKey> keys) {
  MessageBoxDialog box("終了しますか？", buttons, MessageBoxIcon::None);
  for (MessageBoxKey key : keys) {
    box.Handle({Kind::KeyDown, key, 0, 0});
    box.Handle({Kind::KeyUp, key, 0, 0});
  }
  return box.Answer();
}

class MessageBox : public testing::Test {
 protected:
  void SetUp() override { platform::SetGlyphSourceForTest(&m_Glyphs); }
  void TearDown() override { platform::SetGlyphSourceForTest(nullptr); }
  vesk_test::FakeGlyphSource m_Glyphs;
};

TEST_F(MessageBox, LongTextWrapsInsideTheBoxBesideTheIcon) {
  std::string text;
  for (int i = 0; i < 30; ++i) text += "消失したデバイス";
  MessageBoxDialog box(text, MessageBoxButtons::Ok, MessageBoxIcon::Exclamation);
  ASSERT_TRUE(box.CanShow());
  std::string shown;
  for (const std::string& line : box.Lines()) {
    shown += line;
    EXPECT_LE(static_cast<int>(line.size()) / 2 * 16, box.TextArea().width);  // 16 pixels a character
  }
  EXPECT_EQ(shown, text);
  EXPECT_GE(box.Lines().size(), 5u);
  const BoxRect text_area = box.TextArea(), icon = box.IconArea(), ok = box.ButtonArea(0);
  EXPECT_GE(text_area.x, icon.x + icon.width);
  EXPECT_LE(text_area.x + text_area.width, box.Width());
  EXPECT_LE(text_area.y + text_area.height, ok.y);
  EXPECT_EQ(box.ButtonLabel(0), "OK");
  EXPECT_LE(ok.x + ok.width, box.Width());
  EXPECT_LE(ok.y + ok.height, box.Height());

  const platform::Texture picture = Picture(box);
  EXPECT_GT(CountPixels(picture, icon, IsYellow), 200);
  EXPECT_GT(CountPixels(picture, icon, IsInk), 20);  // the exclamation mark
  EXPECT_GT(CountPixels(picture, text_area, IsInk), text_area.width * text_area.height / 2);
  EXPECT_GT(CountPixels(picture, ok, IsInk), 0);  // the label

  // Words stay whole; a text of many lines is cut and says so.
  MessageBoxDialog words(std::string(40, 'w') + " " + std::string(30, 'x'), MessageBoxButtons::Ok,
                         MessageBoxIcon::None);
  ASSERT_EQ(words.Lines().size(), 2u);
  EXPECT_EQ(words.Lines()[1], std::string(30, 'x'));
  std::string many;
  for (int i = 0; i < 100; ++i) many += "行\n";
  MessageBoxDialog cut(many, MessageBoxButtons::Ok, MessageBoxIcon::None);
  EXPECT_LT(cut.Lines().size(), 30u);
  EXPECT_EQ(cut.Lines().back(), "…");
}

TEST_F(MessageBox, QuestionHasTwoLabelledButtonsNoIconAndVisibleFocusAndHover) {
  MessageBoxDialog box("終了しますか？", MessageBoxButtons::YesNo, MessageBoxIcon::None);
  ASSERT_EQ(box.ButtonCount(), 2);
  EXPECT_EQ(box.ButtonLabel(0), "はい");
  EXPECT_EQ(box.ButtonLabel(1), "いいえ");
  const BoxRect yes = box.ButtonArea(0), no = box.ButtonArea(1);
  EXPECT_LT(yes.x + yes.width, no.x);
  EXPECT_EQ(yes.y, no.y);
  EXPECT_LE(no.x + no.width, box.Width());
  EXPECT_EQ(box.IconArea().width, 0);
  platform::Texture picture = Picture(box);
  EXPECT_EQ(CountPixels(picture, {0, 0, box.Width(), box.Height()}, IsYellow), 0);
  EXPECT_GT(CountPixels(picture, yes, IsInk), 0);
  EXPECT_GT(CountPixels(picture, no, IsInk), 0);

  // The focus frame is on はい, then on いいえ after Tab.
  const auto edge = [](const platform::Texture& p, const BoxRect& b) { return p.At(b.x + 1, b.y + 1); };
  EXPECT_NE(edge(picture, yes), edge(picture, no));
  const std::uint32_t focused = edge(picture, yes);
  box.Handle({Kind::KeyDown, MessageBoxKey::Tab, 0, 0});
  picture = Picture(box);
  EXPECT_EQ(edge(picture, no), focused);
  EXPECT_NE(edge(picture, yes), focused);
  // The button under the pointer is lit.
  const std::uint32_t face = picture.At(yes.x + 4, yes.y + 4);
  box.Handle({Kind::PointerMove, {}, yes.x + 4, yes.y + 4});
  EXPECT_NE(Picture(box).At(yes.x + 4, yes.y + 4), face);
  box.Handle({Kind::PointerLeave, {}, 0, 0});
  EXPECT_EQ(Picture(box).At(yes.x + 4, yes.y + 4), face);
}

TEST_F(MessageBox, KeysAnswerWhenReleased) {
  using K = MessageBoxKey;
  EXPECT_EQ(Keys(MessageBoxButtons::YesNo, {K::Enter}), MessageBoxAnswer::Yes);
  EXPECT_EQ(Keys(MessageBoxButtons::YesNo, {K::Escape}), MessageBoxAnswer::No);
  EXPECT_EQ(Keys(MessageBoxButtons::YesNo, {K::Tab, K::Enter}), MessageBoxAnswer::No);
  EXPECT_EQ(Keys(MessageBoxButtons::YesNo, {K::Tab, K::Tab, K::Enter}), MessageBoxAnswer::Yes);
  EXPECT_EQ(Keys(MessageBoxButtons::YesNo, {K::BackTab, K::Enter}), MessageBoxAnswer::No);
  EXPECT_EQ(Keys(MessageBoxButtons::YesNo, {K::Right, K::Right, K::Enter}), MessageBoxAnswer::No);
  EXPECT_EQ(Keys(MessageBoxButtons::YesNo, {K::Right, K::Left, K::Left, K::Enter}), MessageBoxAnswer::Yes);
  EXPECT_EQ(Keys(MessageBoxButtons::Ok, {K::Escape}), MessageBoxAnswer::Ok);
  EXPECT_EQ(Keys(MessageBoxButtons::Ok, {K::Enter}), MessageBoxAnswer::Ok);

  MessageBoxDialog box("終了しますか？", MessageBoxButtons::YesNo, MessageBoxIcon::None);
  box.Handle({Kind::KeyUp, K::Enter, 0, 0});  // a key held since before the box opened
  box.Handle({Kind::KeyDown, K::Enter, 0, 0});
  EXPECT_FALSE(box.Answer());
  box.Handle({Kind::KeyUp, K::Enter, 0, 0});
  EXPECT_EQ(box.Answer(), MessageBoxAnswer::Yes);
  box.Handle({Kind::KeyDown, K::Escape, 0, 0});  // answered once for all
  box.Handle({Kind::KeyUp, K::Escape, 0, 0});
  EXPECT_EQ(box.Answer(), MessageBoxAnswer::Yes);
  MessageBoxDialog closed("終了しますか？", MessageBoxButtons::YesNo, MessageBoxIcon::None);
  closed.Handle({Kind::CloseButton, {}, 0, 0});  // the window's close button
  EXPECT_EQ(closed.Answer(), MessageBoxAnswer::No);
}

TEST_F(MessageBox, AClickAnswersWithTheButtonPressedAndReleasedOn) {
  MessageBoxDialog yes("終了しますか？", MessageBoxButtons::YesNo, MessageBoxIcon::None);
  EXPECT_EQ(Click(yes, 0), MessageBoxAnswer::Yes);
  MessageBoxDialog no("終了しますか？", MessageBoxButtons::YesNo, MessageBoxIcon::None);
  const BoxRect first = no.ButtonArea(0);
  no.Handle({Kind::PointerDown, {}, first.x + 2, first.y + 2});
  no.Handle({Kind::PointerUp, {}, 2, 2});  // released off the button: no click
  EXPECT_FALSE(no.Answer());
  EXPECT_EQ(Click(no, 1), MessageBoxAnswer::No);
  MessageBoxDialog ok("エラー", MessageBoxButtons::Ok, MessageBoxIcon::Exclamation);
  EXPECT_EQ(Click(ok, 0), MessageBoxAnswer::Ok);
}

// A click on the game's window gives it the keyboard while the box stays open:
// Enter and Escape sent to that window answer the box as they would in it. The
// system's quit queued behind them is left waiting (it would close the box).
TEST_F(MessageBox, EnterAndEscapeSentToTheGamesWindowAnswerTheOpenBox) {
  const platform::WindowHandle window = platform::CreateMainWindow("owner", 800, 600, false, nullptr);
  ASSERT_NE(window, nullptr);
  const auto answerAfter = [&](SDL_Keycode key) {
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    for (const Uint32 type : {SDL_KEYDOWN, SDL_KEYUP, SDL_QUIT}) {
      SDL_Event event{};
      event.type = type;
      event.key.windowID = SDL_GetWindowID(platform::SdlWindowOf(window));
      event.key.keysym.sym = key;
      SDL_PushEvent(&event);
    }
    MessageBoxDialog box("終了しますか？", MessageBoxButtons::YesNo, MessageBoxIcon::None);
    const std::optional<MessageBoxAnswer> answer = platform::ShowInDesktopWindow("確認", box);
    EXPECT_TRUE(SDL_HasEvent(SDL_QUIT)) << key;
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    return answer;
  };
  EXPECT_EQ(answerAfter(SDLK_RETURN), MessageBoxAnswer::Yes);
  EXPECT_EQ(answerAfter(SDLK_ESCAPE), MessageBoxAnswer::No);
  platform::Message message;
  while (platform::PeekMessage(message)) {
  }
  platform::DestroyWindow(window);
}

// The game's own face draws the Japanese text.
TEST(MessageBoxFace, DrawsTheTextInTheGamesFont) {
  MessageBoxDialog box("終了しますか？", MessageBoxButtons::YesNo, MessageBoxIcon::None);
  ASSERT_TRUE(box.CanShow());
  EXPECT_GT(CountPixels(Picture(box), box.TextArea(), IsInk), 40);
}

// While a box is open the game's window shows its last frame when the desktop
// asks, and takes neither clicks nor its close button.
TEST(MessageBoxOwner, RepaintsButTakesNoInput) {
  vesk_test::GraphicsTestBackEnd back;
  platform::WindowHandle window = platform::CreateMainWindow("owner", 800, 600, false, nullptr);
  ASSERT_NE(window, nullptr);
  auto device = platform::GraphicsDevice::Create(window, platform::PresentParameters{});
  platform::Message message;
  while (platform::PeekMessage(message)) {
  }
  int observed = 0;
  const int observer = platform::AddSdlEventObserver([&](const SDL_Event&) { ++observed; });
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.windowID = SDL_GetWindowID(platform::SdlWindowOf(window));
  event.window.event = SDL_WINDOWEVENT_EXPOSED;
  platform::PassEventWhileBoxIsOpen(event);
  EXPECT_EQ(back.PresentCount(), 1);
  event.window.event = SDL_WINDOWEVENT_CLOSE;
  platform::PassEventWhileBoxIsOpen(event);
  SDL_Event click{};
  click.type = SDL_MOUSEBUTTONDOWN;
  click.button.windowID = event.window.windowID;
  platform::PassEventWhileBoxIsOpen(click);
  EXPECT_EQ(observed, 0);
  EXPECT_FALSE(platform::PeekMessage(message));
  device.reset();
  event.window.event = SDL_WINDOWEVENT_EXPOSED;
  platform::PassEventWhileBoxIsOpen(event);  // no device: nothing to draw
  EXPECT_EQ(back.PresentCount(), 1);
  platform::RemoveSdlEventObserver(observer);
  platform::DestroyWindow(window);
}

TEST(MessageBoxHandler, ScriptedAnswersAndTerminalFallback) {
  std::vector<std::string> shown;
  platform::SetMessageBoxHandler([&](std::string_view caption, std::string_view text, platform::MessageBoxButtons,
                                     platform::MessageBoxIcon) {
    shown.push_back(std::string(caption) + "|" + std::string(text));
    return platform::MessageBoxAnswer::No;
  });
  EXPECT_EQ(platform::ShowMessageBox("確認", "終了しますか？", platform::MessageBoxButtons::YesNo),
            platform::MessageBoxAnswer::No);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], std::string("確認") + "|" + "終了しますか？");
  // Without a handler and without a display (the dummy video driver), the
  // question is printed and answered Yes.
  platform::SetMessageBoxHandler({});
  testing::internal::CaptureStderr();
  EXPECT_EQ(platform::ShowMessageBox("確認", "終了しますか？", platform::MessageBoxButtons::YesNo),
            platform::MessageBoxAnswer::Yes);
  const std::string printed = testing::internal::GetCapturedStderr();
  EXPECT_EQ(printed, "[\xE7\xA2\xBA\xE8\xAA\x8D] \xE7\xB5\x82\xE4\xBA\x86\xE3\x81\x97\xE3\x81\xBE\xE3\x81\x99\xE3\x81\x8B\xEF\xBC\x9F\n");
}

}  // namespace
