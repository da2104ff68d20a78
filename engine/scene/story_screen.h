#pragma once
// What the engine's own story screens (backlog, save, load, config, menu) share: the
// frozen story picture under a dimmed screen, the look of their buttons and bars,
// and the Yes/No question before an action.

#include <cstdint>

#include "engine/api/fwd.h"

namespace nsTamskLib::nsComponent {
class UICButtonDraw;
class UICBarDraw;
}  // namespace nsTamskLib::nsComponent

namespace nsTamskLib::nsScene {

class IScenePlayer;

// The font of captions and labels, and of the screen titles.
inline constexpr const char kCaptionFont[] = "ＭＳ ゴシック";
inline constexpr const char kTitleFont[] = "Times New Roman";
inline constexpr int kCaptionSize = 20;

// The story's picture as the normal scene last drew it, without its transition step:
// the screen, the tasks with the effects, the text window while the script shows it,
// the choice window.
void DrawFrozenStory(IScenePlayer& player);
// Black at alpha 128 over the whole screen.
void DimScreen(IScenePlayer& player);

// A screen button: border width 1, alpha 255, the rectangle from x, y, width and
// height, the caption in the caption font, white / light grey / grey looks on black,
// no sounds.
void StyleScreenButton(nsComponent::UICButtonDraw& button, int x, int y, int width, int height,
                       const char* caption);
// A screen bar: the same looks, the knob 10 by 30 around its centre.
void StyleScreenBar(nsComponent::UICBarDraw& bar, int x, int y, int width, int height);

// A Yes/No box with the caption "確認"; true on Yes.
bool AskConfirmation(const char* text);

}  // namespace nsTamskLib::nsScene
