#pragma once
// What the page patterns ask of the plug-in's text layout and timed choice: laying
// the text sprites out again (patterns 0 and 28) and drawing the timed choice's
// images (pattern 28). Those parts install their functions here; a hook left empty
// does nothing.

#include <cstdint>

#include "engine/api/fwd.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

struct PageHooks {
  void (*rebuildTextSprites)(INovelEngine* engine) = nullptr;
  // elapsed and total are the timed choice's milliseconds.
  void (*drawSelectLImages)(INovelEngine* engine, std::uint32_t elapsed,
                            std::uint32_t total) = nullptr;
};

// The process-wide hooks.
PageHooks& TransitionPageHooks();

}  // namespace nsWendrick
