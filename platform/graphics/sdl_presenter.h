#pragma once
// The presenter on a real window. A frame shown one to one (the window) is copied
// into the window's own surface, which SDL hands to the display by the cheapest
// way there is (shared memory under X11): no renderer, no GL context. Only a
// scaled frame (full screen) goes through an SDL renderer, and only when that
// renderer draws on graphics hardware; without one the surface path scales the
// frame itself, linearly filtered and letterboxed like the renderer.
//
// Every presentation is paced to the display's refresh rate: renderers that claim
// to wait for the vertical blank do not always wait, so the presenter never trusts
// the claim and never shows frames faster than the display can.

#include <memory>

#include "platform/graphics/graphics_device.h"

namespace platform {

// How frames reach the window: the presenter's own choice above, or one way forced
// (tests and benchmarks compare them). A forced renderer is whichever SDL picks
// (SDL_RENDER_DRIVER names one), hardware or not.
enum class PresentPath { Chosen, WindowSurface, Renderer };

// Null when the window cannot be presented to.
std::unique_ptr<Presenter> CreateSdlPresenter(WindowHandle window, const PresentParameters& parameters,
                                              PresentPath path = PresentPath::Chosen);

// Maps window pixels to frame pixels through the live presenter; false without one.
bool SdlPresenterWindowToFrame(int windowX, int windowY, int& frameX, int& frameY);

}  // namespace platform
