#pragma once
// IUIComponent: a control of the engine's own story screens (save, load, config,
// menu), drawn with plain rectangles and free text so that it needs no image from
// the game. Its owner polls Update once per frame and draws it in Draw.
//
// Every component has four looks, in this order: normal, under the pointer, pressed,
// disabled; each colour group holds one engine colour (0xAABBGGRR) per look.

#include <array>
#include <cstdint>
#include <string>

#include "engine/api/fwd.h"

namespace nsTamskLib::nsDrawManager { class BaseDrawManager; }

namespace nsTamskLib::nsComponent {

class IUIComponent {
 public:
  virtual ~IUIComponent() = default;
  virtual void Draw() = 0;
  // The component's result of this frame (a click, a drag).
  virtual bool Update() = 0;
  virtual bool IsButton() = 0;
};

// The looks, as indexes into a colour group.
enum ComponentLook : std::size_t {
  kLookNormal = 0,
  kLookOver = 1,
  kLookPressed = 2,
  kLookDisabled = 3,
};
using ColorGroup = std::array<std::uint32_t, 4>;

// Whether (x, y) lies in the rectangle widened by the border width on every side,
// edges included.
bool IsInHitArea(std::int64_t x, std::int64_t y, std::int64_t left, std::int64_t top,
                 std::int64_t right, std::int64_t bottom, std::int64_t borderWidth);

// Plays a component's effect sound; an empty name plays nothing.
void PlayComponentSound(nsCore::INovelEngine* engine, const std::string& name);

// The engine's draw manager with its guarded helpers; an engine whose draw manager
// is not one is an internal fault that ends with a message.
nsDrawManager::BaseDrawManager& DrawManagerOf(nsCore::INovelEngine* engine);

}  // namespace nsTamskLib::nsComponent
