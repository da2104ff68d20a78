// The draw manager's per-frame drawing: the guarded helpers every path goes
// through, laid-out text, the draw-task list, the text window and the text cursor.

#include <algorithm>

#include "engine/api/draw_records.h"
#include "engine/api/novel_engine.h"
#include "engine/api/plugin_api.h"
#include "engine/drawmanager/base_draw_manager.h"
#include "engine/plugin/plugin_registry.h"
#include "engine/taskmanager/task_manager.h"

namespace nsTamskLib::nsDrawManager {
namespace {

// Positions wrap in 32 bits like the rest of the engine's rectangle arithmetic.
std::int32_t Wrap(std::int64_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

std::uint8_t ScaleAlpha(std::uint8_t own, std::uint8_t given) {
  return static_cast<std::uint8_t>(static_cast<unsigned>(own) * given / 255u);
}

// A registered function may queue tasks, which can move the list under the task it
// was given: it gets a copy of its own.
void CallRegistered(DrawTaskFunc func, nsCore::INovelEngine* engine, const nsTaskManager::DrawTask& task) {
  const nsTaskManager::DrawTask copy = task;
  (void)func(engine, &copy);
}

}  // namespace

// Guarded helpers.

void BaseDrawManager::ClearScreen() { Clear(m_Settings.CurrentBGColor); }

void BaseDrawManager::FillRectChecked(TRect rect, std::uint32_t color, std::uint8_t alpha) {
  if (alpha == 0 || rect.top > rect.bottom || rect.left > rect.right) return;
  FillRect(rect, color, alpha);
}

void BaseDrawManager::FillRectWithBorder(TRect rect, std::uint32_t fill, std::uint8_t alpha,
                                         std::uint32_t borderWidth, std::uint32_t borderColor) {
  FillRectChecked(rect, fill, alpha);
  if (borderWidth == 0) return;
  const std::int64_t w = borderWidth;
  const std::int64_t l = rect.left;
  const std::int64_t t = rect.top;
  const std::int64_t r = rect.right;
  const std::int64_t b = rect.bottom;
  FillRectChecked(TRect{rect.left, Wrap(t - w), Wrap(r + w), rect.top}, borderColor, alpha);
  FillRectChecked(TRect{rect.right, rect.top, Wrap(r + w), Wrap(b + w)}, borderColor, alpha);
  FillRectChecked(TRect{Wrap(l - w), rect.bottom, rect.right, Wrap(b + w)}, borderColor, alpha);
  FillRectChecked(TRect{Wrap(l - w), Wrap(t - w), rect.left, rect.bottom}, borderColor, alpha);
}

void BaseDrawManager::CheckedBlt(BltOperation blt, const mystr& name, std::int32_t x,
                                 std::int32_t y, std::uint8_t alpha, TRect src) {
  if (name == "" || alpha == 0) return;
  if (src.top > src.bottom || src.left > src.right || src.top < 0 || src.left < 0) return;
  (this->*blt)(name, x, y, alpha, src);
}

void BaseDrawManager::CheckedBlt0(const mystr& name, std::int32_t x, std::int32_t y,
                                  std::uint8_t alpha, TRect src) {
  CheckedBlt(&IDrawManager::Blt0, name, x, y, alpha, src);
}
void BaseDrawManager::CheckedBlt1(const mystr& name, std::int32_t x, std::int32_t y,
                                  std::uint8_t alpha, TRect src) {
  CheckedBlt(&IDrawManager::Blt1, name, x, y, alpha, src);
}
void BaseDrawManager::CheckedBlt2(const mystr& name, std::int32_t x, std::int32_t y,
                                  std::uint8_t alpha, TRect src) {
  CheckedBlt(&IDrawManager::Blt2, name, x, y, alpha, src);
}
void BaseDrawManager::CheckedBlt4(const mystr& name, std::int32_t x, std::int32_t y,
                                  std::uint8_t alpha, TRect src) {
  CheckedBlt(&IDrawManager::Blt4, name, x, y, alpha, src);
}
void BaseDrawManager::CheckedBlt5(const mystr& name, std::int32_t x, std::int32_t y,
                                  std::uint8_t alpha, TRect src) {
  CheckedBlt(&IDrawManager::Blt5, name, x, y, alpha, src);
}
void BaseDrawManager::CheckedBlt6(const mystr& name, std::int32_t x, std::int32_t y,
                                  std::uint8_t alpha, TRect src) {
  CheckedBlt(&IDrawManager::Blt6, name, x, y, alpha, src);
}

void BaseDrawManager::DrawTextChecked(const mystr& text, std::int32_t x, std::int32_t y,
                                      std::uint8_t alpha, const mystr& fontFace, std::int32_t size,
                                      std::uint32_t color, std::uint8_t flag1, std::uint8_t flag2) {
  if (text == "" || alpha == 0) return;
  DrawText(text, x, y, alpha, fontFace, size, color, flag1, flag2);
}

// Laid-out text.

void BaseDrawManager::DrawSection(const TextTokenSection& section, std::int32_t x, std::int32_t y,
                                  std::uint8_t alpha, const std::uint32_t* color) {
  std::int64_t baseline = y;
  for (std::uint32_t l = 0; l < section.size(); ++l) {
    const TextTokenLine& line = section.at(l);
    baseline += line.GetHeight();
    std::int64_t pen = 0;
    for (std::uint32_t t = 0; t < line.size(); ++t) {
      const TextToken& token = line.at(t);
      const std::int64_t w = token.Width;
      const std::int64_t r = token.Ruby.GetWidth();
      const std::int64_t top = baseline - token.Height;
      DrawTextChecked(token.Text, Wrap(x + pen + (r > w ? (r - w) / 2 : 0)), Wrap(top),
                      ScaleAlpha(token.Alpha, alpha), token.FontFace, token.Size,
                      color != nullptr ? *color : token.Colour, token.Flag1, token.Flag2);
      std::int64_t rubyX = x + pen + (w > r ? (w - r) / 2 : 0);
      for (std::uint32_t k = 0; k < token.Ruby.size(); ++k) {
        const RubyToken& ruby = token.Ruby.at(k);
        DrawTextChecked(ruby.Text, Wrap(rubyX), Wrap(top - ruby.Height),
                        ScaleAlpha(ruby.Alpha, alpha), ruby.FontFace, ruby.Size,
                        color != nullptr ? *color : ruby.Colour, ruby.Flag1, ruby.Flag2);
        rubyX += ruby.Width;
      }
      pen += std::max(w, r);
    }
  }
}

void BaseDrawManager::DrawTextSection(const TextTokenSection& section, std::int32_t x,
                                      std::int32_t y, std::uint8_t alpha) {
  DrawSection(section, x, y, alpha, nullptr);
}

void BaseDrawManager::DrawTextSectionEx(const TextTokenSection& section, std::int32_t x,
                                        std::int32_t y, std::uint8_t alpha, std::uint32_t color) {
  DrawSection(section, x, y, alpha, &color);
}

void BaseDrawManager::DrawMessageTextColor(std::uint32_t color) {
  DrawTextSectionEx(m_Settings.MessageText, m_Settings.MessagePosX, m_Settings.MessagePosY, 255,
                    color);
}
void BaseDrawManager::DrawMessageText() {
  DrawTextSection(m_Settings.MessageText, m_Settings.MessagePosX, m_Settings.MessagePosY, 255);
}
void BaseDrawManager::DrawTalkerTextColor(std::uint32_t color) {
  DrawTextSectionEx(m_Settings.TalkerText, m_Settings.TalkerPosX, m_Settings.TalkerPosY, 255,
                    color);
}
void BaseDrawManager::DrawTalkerText() {
  DrawTextSection(m_Settings.TalkerText, m_Settings.TalkerPosX, m_Settings.TalkerPosY, 255);
}

// The draw-task list.

namespace {

// The transfer methods DrawOneTask handles itself.
bool IsBuiltInBlt(std::int32_t blt) { return blt >= 0 && blt <= 6 && blt != 3; }

}  // namespace

bool BaseDrawManager::CanDrawTask(const nsTaskManager::DrawTask& task) {
  switch (task.Type) {
    case nsTaskManager::kDrawNothing:
    case nsTaskManager::kDrawFilledRect:
    case nsTaskManager::kDrawText:
      return true;
    case nsTaskManager::kDrawImage:
      return IsBuiltInBlt(task.BltType) ||
             nsPlugin::FindBltFunc(static_cast<unsigned>(task.BltType)) != nullptr;
    default:
      return nsPlugin::FindDrawTaskFunc(task.Type) != nullptr;
  }
}

void BaseDrawManager::DrawOneTask(const nsTaskManager::DrawTask& task) {
  switch (task.Type) {
    case nsTaskManager::kDrawNothing:
      return;
    case nsTaskManager::kDrawFilledRect:
      FillRectChecked(task.Rect, task.Color, task.A);
      return;
    case nsTaskManager::kDrawText:
      DrawTextSection(task.Text, task.X, task.Y, task.A);
      return;
    case nsTaskManager::kDrawImage:
      switch (task.BltType) {
        case 0:
          CheckedBlt0(task.Name, task.X, task.Y, task.A, task.SrcRect);
          return;
        case 1:
          CheckedBlt1(task.Name, task.X, task.Y, task.A, task.SrcRect);
          return;
        case 2:
          CheckedBlt2(task.Name, task.X, task.Y, task.A, task.SrcRect);
          return;
        case 4:
          CheckedBlt4(task.Name, task.X, task.Y, task.A, task.SrcRect);
          return;
        case 5:
          CheckedBlt5(task.Name, task.X, task.Y, task.A, task.SrcRect);
          return;
        case 6:
          CheckedBlt6(task.Name, task.X, task.Y, task.A, task.SrcRect);
          return;
        default: {
          const DrawTaskFunc blt = nsPlugin::FindBltFunc(static_cast<unsigned>(task.BltType));
          if (blt == nullptr) {
            RuntimeError(OwnerWindow(), "存在しない転送方法です！（BltType = %d）", task.BltType);
          }
          CallRegistered(blt, m_Engine, task);
          return;
        }
      }
    default: {
      const DrawTaskFunc draw = nsPlugin::FindDrawTaskFunc(task.Type);
      if (draw == nullptr) {
        RuntimeError(OwnerWindow(), "存在しない種類です！（Type = %d）",
                     static_cast<int>(task.Type));
      }
      CallRegistered(draw, m_Engine, task);
      return;
    }
  }
}

// A registered function may queue further tasks, which can move the list: the
// length is read again and the task looked up by its index at every step.
void BaseDrawManager::DrawTasks() {
  auto* tasks = static_cast<nsTaskManager::TaskManager*>(m_Engine->GetTaskManager());
  for (std::size_t i = 0; i < tasks->TaskList().size(); ++i) {
    DrawOneTask(tasks->TaskList()[i]);
  }
}

// Text window and text cursor.

void BaseDrawManager::DrawTextWindow() {
  if (m_Settings.TextWindowIsImage) {
    CheckedBlt0(m_Settings.TextWindowImage, m_Settings.TextWindowImageX,
                m_Settings.TextWindowImageY, m_Settings.TextWindowAlpha,
                m_Settings.TextWindowSrcRect);
  } else {
    FillRectWithBorder(m_Settings.TextWindowRect, m_Settings.TextWindowColor,
                       m_Settings.TextWindowAlpha, m_Settings.TextWindowBorderWidth,
                       m_Settings.TextWindowBorderColor);
  }
}

void BaseDrawManager::DrawTextCursor() {
  const std::int32_t state = m_Settings.TextCursorState;
  if (state < kCursorNone || state >= kTextCursorKinds) return;
  const auto k = static_cast<std::size_t>(state);
  if (!m_Settings.TextCursorEnabled[k]) return;
  std::int64_t x = m_Settings.TextCursorX[k];
  std::int64_t y = m_Settings.TextCursorY[k];
  if (!m_Settings.TextCursorAbsolute[k]) {
    const TextTokenSection& message = m_Settings.MessageText;
    x += m_Settings.MessagePosX;
    if (!message.empty()) x += message.back().GetWidth();
    y += static_cast<std::int64_t>(m_Settings.MessagePosY) + message.GetHeight();
  }
  CheckedBlt0(m_Settings.TextCursorImage[k], Wrap(x), Wrap(y), m_Settings.TextCursorAlpha[k],
              m_Settings.TextCursorSrcRect[k]);
}

void BaseDrawManager::DrawUnderTasks() {}

}  // namespace nsTamskLib::nsDrawManager
