#include "platform/message_box/desktop_message_box.h"

#include <SDL.h>

#include <string>

#include "platform/text/cp932.h"
#include "platform/window/sdl_window_access.h"
#include "platform/window/window.h"

namespace platform {
namespace {

// How long the box sleeps when no event is waiting (it also looks for a
// termination signal this often).
constexpr Uint32 kIdleMilliseconds = 10;

std::optional<MessageBoxKey> KeyOf(const SDL_Keysym& key) {
  switch (key.sym) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return MessageBoxKey::Enter;
    case SDLK_ESCAPE: return MessageBoxKey::Escape;
    case SDLK_LEFT: return MessageBoxKey::Left;
    case SDLK_RIGHT: return MessageBoxKey::Right;
    case SDLK_TAB: return (key.mod & KMOD_SHIFT) != 0 ? MessageBoxKey::BackTab : MessageBoxKey::Tab;
    default: return std::nullopt;
  }
}

Uint32 WindowIdOf(const SDL_Event& event) {
  switch (event.type) {
    case SDL_WINDOWEVENT: return event.window.windowID;
    case SDL_KEYDOWN:
    case SDL_KEYUP: return event.key.windowID;
    case SDL_TEXTINPUT: return event.text.windowID;
    case SDL_TEXTEDITING: return event.edit.windowID;
    case SDL_MOUSEMOTION: return event.motion.windowID;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: return event.button.windowID;
    case SDL_MOUSEWHEEL: return event.wheel.windowID;
    default: return 0;
  }
}

// The box's own events in its terms; nothing for those it ignores.
std::optional<MessageBoxInput> InputOf(const SDL_Event& event) {
  using Kind = MessageBoxInput::Kind;
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const std::optional<MessageBoxKey> key = KeyOf(event.key.keysym);
      if (!key) return std::nullopt;
      // A key held down since before the box opened repeats: only a fresh press answers.
      const bool answers = *key == MessageBoxKey::Enter || *key == MessageBoxKey::Escape;
      if (event.key.repeat != 0 && answers) return std::nullopt;
      return MessageBoxInput{event.type == SDL_KEYDOWN ? Kind::KeyDown : Kind::KeyUp, *key, 0, 0};
    }
    case SDL_MOUSEMOTION: return MessageBoxInput{Kind::PointerMove, {}, event.motion.x, event.motion.y};
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (event.button.button != SDL_BUTTON_LEFT) return std::nullopt;
      return MessageBoxInput{event.type == SDL_MOUSEBUTTONDOWN ? Kind::PointerDown : Kind::PointerUp, {},
                             event.button.x, event.button.y};
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_LEAVE) return MessageBoxInput{Kind::PointerLeave, {}, 0, 0};
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) return MessageBoxInput{Kind::CloseButton, {}, 0, 0};
      return std::nullopt;
    default: return std::nullopt;
  }
}

// Enter or Escape pressed while the game's window has the keyboard, as after a
// click on it: they answer the box, as they would in it (the game takes no input
// while the box is open). Nothing for every other event.
std::optional<MessageBoxInput> AnswerKeyOfOwner(const SDL_Event& event, Uint32 ownerId) {
  if (ownerId == 0 || (event.type != SDL_KEYDOWN && event.type != SDL_KEYUP) || event.key.windowID != ownerId) {
    return std::nullopt;
  }
  const std::optional<MessageBoxInput> input = InputOf(event);
  if (!input || (input->key != MessageBoxKey::Enter && input->key != MessageBoxKey::Escape)) return std::nullopt;
  return input;
}

// Raises a window and gives it the keyboard. A window manager moves the focus on
// the raise; without one only the explicit focus does. A window that cannot be
// seen is never given the focus: the display refuses it with an error that would
// end the program.
void GiveFocus(SDL_Window* window) {
  SDL_RaiseWindow(window);
  if ((SDL_GetWindowFlags(window) & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)) == 0) SDL_SetWindowInputFocus(window);
}

// Copies the picture to the window (the box draws into its window's surface; it
// has no renderer).
void Present(SDL_Window* window, Texture& picture) {
  SDL_Surface* target = SDL_GetWindowSurface(window);
  if (target == nullptr) return;
  SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(picture.Pixels(), picture.Width(), picture.Height(), 32,
                                                           static_cast<int>(picture.PitchBytes()),
                                                           SDL_PIXELFORMAT_ARGB8888);
  if (source == nullptr) return;
  SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
  SDL_BlitSurface(source, nullptr, target, nullptr);
  SDL_FreeSurface(source);
  SDL_UpdateWindowSurface(window);
}

}  // namespace

std::optional<MessageBoxAnswer> ShowInDesktopWindow(std::string_view caption, MessageBoxDialog& dialog) {
  if (!dialog.CanShow() || !InitWindowSystem()) return std::nullopt;
  const int width = dialog.Width();
  const int height = dialog.Height();
  SDL_Window* owner = CurrentSdlMainWindow();
  int x = static_cast<int>(SDL_WINDOWPOS_CENTERED);
  int y = static_cast<int>(SDL_WINDOWPOS_CENTERED);
  if (owner != nullptr) {
    int ownerX = 0, ownerY = 0, ownerWidth = 0, ownerHeight = 0;
    SDL_GetWindowPosition(owner, &ownerX, &ownerY);
    SDL_GetWindowSize(owner, &ownerWidth, &ownerHeight);
    x = ownerX + (ownerWidth - width) / 2;
    y = ownerY + (ownerHeight - height) / 2;
  }
  const std::string title = Cp932ToUtf8(caption);
  // A dialog to the window manager (X11), so it is decorated and kept as one.
  const char* const previousType = SDL_GetHint(SDL_HINT_X11_WINDOW_TYPE);
  const std::string previous = previousType != nullptr ? previousType : "";
  SDL_SetHint(SDL_HINT_X11_WINDOW_TYPE, "_NET_WM_WINDOW_TYPE_DIALOG");
  SDL_Window* box = SDL_CreateWindow(title.c_str(), x, y, width, height, SDL_WINDOW_HIDDEN);
  SDL_SetHint(SDL_HINT_X11_WINDOW_TYPE, previousType != nullptr ? previous.c_str() : nullptr);
  if (box == nullptr) return std::nullopt;
  // A box that cannot be drawn would wait, unseen, for an answer.
  if (SDL_GetWindowSurface(box) == nullptr) {
    SDL_DestroyWindow(box);
    return std::nullopt;
  }
  if (owner != nullptr) SDL_SetWindowModalFor(box, owner);
  SDL_ShowWindow(box);
  SDL_RaiseWindow(box);
  const Uint32 boxId = SDL_GetWindowID(box);
  const Uint32 ownerId = owner != nullptr ? SDL_GetWindowID(owner) : 0;

  Texture picture(width, height);
  bool redraw = true;
  while (!dialog.Answer()) {
    if (redraw) {
      dialog.Draw(picture);
      Present(box, picture);
      redraw = false;
    }
    if (QuitSignalPending()) {
      dialog.Handle(MessageBoxInput{MessageBoxInput::Kind::CloseButton, {}, 0, 0});
      continue;
    }
    // Events are polled, never waited for: SDL 2.26 remembers the window a wait
    // began on to wake it, and may keep it after the wait; an event pushed once
    // the box is gone (the window's own destroy does) is then sent to a window
    // that no longer exists, and the X error ends the program unsaved.
    SDL_Event event;
    if (SDL_PollEvent(&event) == 0) {
      SDL_Delay(kIdleMilliseconds);
      continue;
    }
    if (WindowIdOf(event) != boxId) {
      if (const std::optional<MessageBoxInput> input = AnswerKeyOfOwner(event, ownerId)) {
        dialog.Handle(*input);
        redraw = true;
        continue;
      }
      // A click on the game's window gives it the focus: the box takes it back.
      if (ownerId != 0 && event.type == SDL_WINDOWEVENT && event.window.windowID == ownerId &&
          event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
        GiveFocus(box);
      }
      PassEventWhileBoxIsOpen(event);
      if (event.type == SDL_QUIT) dialog.Handle(MessageBoxInput{MessageBoxInput::Kind::CloseButton, {}, 0, 0});
      continue;
    }
    if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED) redraw = true;
    if (const std::optional<MessageBoxInput> input = InputOf(event)) {
      dialog.Handle(*input);
      redraw = true;
    }
  }
  SDL_DestroyWindow(box);
  // The keyboard goes back to the game's window (without a window manager it
  // would stay with nobody once the box is gone).
  if (owner != nullptr) GiveFocus(owner);
  return dialog.Answer();
}

}  // namespace platform
