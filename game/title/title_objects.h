#pragma once
// The title's program-wide objects: its four menu buttons, whose state outlives a
// title scene, and the table holding its back image, which each title scene loads
// again and empties when it ends. Also the drawing of the back image, shared by
// the scene and its intro.

#include "game/components/ui_button_text.h"
#include "game/managers/image_table.h"

namespace nsVesk::nsTitle {

extern nsComponent::UICButtonTextE1 g_TitleButtonStart;
extern nsComponent::UICButtonTextE1 g_TitleButtonCG;
extern nsComponent::UICButtonTextE1 g_TitleButtonOption;
extern nsComponent::UICButtonTextE1 g_TitleButtonEnd;
// Never destroyed: scenes left on the stack at exit empty it from the scene
// manager's destructor, whose order against this file's objects is not fixed.
extern cImageTable& g_TitleImages;

inline constexpr char kTitleIni[] = "Data/Title/Title.ini";
inline constexpr char kTitleBackImage[] = "BackImage";

// "BackImage" at (0,0) with the back source rectangle of the title's parameters;
// nothing when the table holds no such image.
void DrawTitleBack();

}  // namespace nsVesk::nsTitle
