#include "game/title/title_objects.h"

#include "game/core/param_access.h"

namespace nsVesk::nsTitle {

nsComponent::UICButtonTextE1 g_TitleButtonStart;
nsComponent::UICButtonTextE1 g_TitleButtonCG;
nsComponent::UICButtonTextE1 g_TitleButtonOption;
nsComponent::UICButtonTextE1 g_TitleButtonEnd;
cImageTable& g_TitleImages = *new cImageTable;

void DrawTitleBack() {
  auto* image = g_TitleImages.Find(kTitleBackImage);
  if (image == nullptr) return;
  const nsZarn::nsGraphics::Rect source{GetParamInt(kTitleIni, "Title", "BackSrcRect_Left", 0),
                                        GetParamInt(kTitleIni, "Title", "BackSrcRect_Top", 0),
                                        GetParamInt(kTitleIni, "Title", "BackSrcRect_Right", 0),
                                        GetParamInt(kTitleIni, "Title", "BackSrcRect_Bottom", 0)};
  image->Draw(0, 0, 255, &source, 1.0f, 1.0f, 0.0f);
}

}  // namespace nsVesk::nsTitle
