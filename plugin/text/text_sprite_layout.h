#pragma once
// Laying the text sprites out: every defined text sprite of both pages gets its
// text laid out again into that page's draw record of the sprite.

#include "engine/api/fwd.h"

namespace nsWendrick {

// For the shown page, then the hidden page: each definition in name order is laid
// out without width or height limit into that page's draw record of the sprite of
// that name. A definition whose sprite does not exist is dropped with a warning.
void RebuildTextSprites(nsTamskLib::nsCore::INovelEngine* engine);

}  // namespace nsWendrick
