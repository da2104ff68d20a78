#pragma once
// The presenter on a real window: the frame is uploaded to an SDL streaming
// texture and drawn scaled to the window with letterboxing.

#include <memory>

#include "platform/graphics/graphics_device.h"

namespace platform {

// Null when no renderer could be made for the window.
std::unique_ptr<Presenter> CreateSdlPresenter(WindowHandle window, const PresentParameters& parameters);

// Maps window pixels to frame pixels through the live presenter; false without one.
bool SdlPresenterWindowToFrame(int windowX, int windowY, int& frameX, int& frameY);

}  // namespace platform
