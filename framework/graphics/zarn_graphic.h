#pragma once
// The program's one graphics object: it creates the main window and the graphics
// device, clears and presents the frame, switches between window and full screen,
// recovers a lost device once per idle pass, and draws sprites and filled
// rectangles through its one sprite routine.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "framework/graphics/free_text_cache.h"
#include "framework/graphics/graphics_types.h"
#include "platform/graphics/graphics_device.h"
#include "platform/graphics/texture.h"
#include "platform/window/window.h"

namespace nsZarn::nsGraphics {

class ZarnGraphic {
 public:
  ZarnGraphic();
  ZarnGraphic(const ZarnGraphic&) = delete;
  ZarnGraphic& operator=(const ZarnGraphic&) = delete;
  ~ZarnGraphic();

  // Creates the window (title in Shift-JIS, client area width x height) and the
  // device. cacheLimit is the byte budget of the free-text cache. The depth and
  // multisampling wishes are kept; the software device has neither.
  bool Init(const char* title, platform::WindowProcedure procedure, int width, int height, std::uint32_t cacheLimit,
            bool fullScreen, bool depthStencil, bool multiSample);

  void Clear(Color colour);
  void Present();

  bool IsFullScreen() const { return m_FullScreen; }
  // False when the device could not be reset now; the new mode is applied to the
  // window in any case, and AppIdle finishes a deferred reset.
  bool SetFullScreen(bool on);

  // Once per idle pass of the main loop: false when the device is beyond repair.
  bool AppIdle();

  // Every message of the main window passes here first.
  std::intptr_t MsgProc(platform::WindowHandle window, platform::MessageId message, std::uintptr_t wParam,
                        std::intptr_t lParam);

  // The one sprite routine: draws the source rectangle (the whole texture without
  // one) scaled, rotated by angle degrees about the centre of the scaled source
  // rectangle (about its top-left corner without one) and placed at (x, y).
  void DrawSpriteEx(const platform::Texture* texture, int x, int y, Color colour, const Rect* source, BlendOp op,
                    Blend srcBlend, Blend destBlend, float scaleX, float scaleY, float angle);
  // Fills the rectangle with the colour, rotated by angle degrees about its centre.
  void DrawFillRect(int left, int top, int right, int bottom, Color colour, float angle);
  // Draws a Shift-JIS text with its top-left corner at (x, y), rotated by angle
  // degrees about that corner. The colour multiplies the white glyphs, so its
  // alpha is the text's opacity. Each text, face, size and style is rendered
  // once and kept in the free-text cache (free_text.cpp).
  void DrawFreeText(std::string_view text, int x, int y, Color colour, std::string_view face, int size, bool bold,
                    bool italic, float angle);
  const FreeTextCache& GetFreeTextCache() const { return m_FreeText; }

  platform::WindowHandle GetMainWindow() const { return m_hWnd; }
  int GetWidth() const { return m_Width; }
  int GetHeight() const { return m_Height; }
  platform::GraphicsDevice* GetDevice() { return m_Device.get(); }
  bool IsActive() const { return m_Active; }
  bool IsDeviceLost() const { return m_DeviceLost; }

 private:
  bool InitApp(const char* title, platform::WindowProcedure procedure);
  bool InitD3D();
  // Removes the least recently used texts while the cache is over its budget.
  void TrimFreeTextCache();
  void ReleaseDevice();

  platform::WindowHandle m_hWnd = nullptr;
  std::string m_ClassName;
  bool m_Active = false;
  bool m_DeviceLost = false;
  int m_Width = 0;
  int m_Height = 0;
  bool m_FullScreen = false;
  bool m_DepthStencil = false;
  bool m_MultiSample = false;
  platform::WindowRect m_WindowRect;  // the window's place in window mode
  std::unique_ptr<platform::GraphicsDevice> m_Device;
  platform::PresentParameters m_PresentCurrent;
  platform::PresentParameters m_PresentWindow;
  platform::PresentParameters m_PresentFullScreen;
  std::unique_ptr<platform::Texture> m_WhiteTexture;  // one opaque white texel source for fills

  // Texts drawn once into textures and kept for later frames, keyed by text,
  // face, size and style (free_text_cache.h).
  FreeTextCache m_FreeText;
};

}  // namespace nsZarn::nsGraphics
