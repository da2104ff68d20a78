#pragma once
// The graphics device: an 800x600 frame that the compositor draws into, presented
// to the main window once per frame. It keeps the life cycle of a hardware device
// that can be lost: when the display goes away the device reports Lost, then
// NotReset once it may be reset, and Reset brings it back. Textures are never lost.
//
// Presentation goes through a presenter: on a real window the window's own surface
// at 1:1, a hardware renderer only for scaled full screen (sdl_presenter.h), both
// letterboxed and linearly filtered when scaled, and paced to the display's refresh
// rate; in tests through the presenters of the source the test installed.

#include <cstdint>
#include <memory>

#include "platform/graphics/compositor.h"
#include "platform/graphics/texture.h"
#include "platform/window/window.h"

namespace platform {

constexpr int kFrameWidth = 800;
constexpr int kFrameHeight = 600;

enum class DeviceStatus { Ok, Lost, NotReset, Failed };

struct PresentParameters {
  bool windowed = true;
  bool vsync = true;  // wait for the vertical blank when presenting
};

// Where the frames go. Status and Reset follow the device life cycle above.
class Presenter {
 public:
  virtual ~Presenter() = default;
  virtual DeviceStatus Status() = 0;
  // Applies the parameters and restores a device that is NotReset; false on failure.
  virtual bool Reset(const PresentParameters& parameters) = 0;
  virtual void Present(const Texture& frame) = 0;
};

// Makes the presenters of the devices created while it is installed, in place of
// the window's display.
class PresenterSource {
 public:
  virtual ~PresenterSource() = default;
  // Null when no device can be made for the window.
  virtual std::unique_ptr<Presenter> CreatePresenter(WindowHandle window, const PresentParameters& parameters) = 0;
};

// Installs a source of presenters for the devices created from now on (not owned);
// null restores the window's display.
void SetPresenterSourceForTest(PresenterSource* source);

class GraphicsDevice {
 public:
  // Opens the device for a window: through the installed presenter source when
  // there is one, else on the window's display. Null on failure.
  static std::unique_ptr<GraphicsDevice> Create(WindowHandle window, const PresentParameters& parameters);

  GraphicsDevice(std::unique_ptr<Presenter> presenter, const PresentParameters& parameters);
  GraphicsDevice(const GraphicsDevice&) = delete;
  GraphicsDevice& operator=(const GraphicsDevice&) = delete;
  ~GraphicsDevice();

  // Ok, Lost (wait) or NotReset (call Reset).
  DeviceStatus TestCooperativeLevel();
  // Lost while the device cannot be reset yet; Failed when the reset failed; Ok.
  DeviceStatus Reset(const PresentParameters& parameters);

  void Clear(std::uint32_t colour);
  void DrawSprite(const Texture& texture, const SourceRect& source, const Affine& transform, std::uint32_t colour,
                  BlendMode mode);
  // Shows the frame; nothing happens while the device is not Ok.
  void Present();

  const Texture& Frame() const { return m_Frame; }
  const PresentParameters& Parameters() const { return m_Parameters; }

 private:
  std::unique_ptr<Presenter> m_Presenter;
  WindowHandle m_Window = nullptr;  // the window it repaints, when made for one
  PresentParameters m_Parameters;
  Texture m_Frame;
};

// Maps a point in window pixels to the 800x600 frame (full screen is scaled and
// letterboxed). Without a real device the point is returned unchanged.
void MapWindowPointToFrame(int windowX, int windowY, int& frameX, int& frameY);

}  // namespace platform
