#include "game/core/program_objects.h"

namespace nsVesk {

nsZarn::nsFramework::nsFilePack::FilePackManager* g_FilePackManager = nullptr;
nsZarn::nsFramework::nsParam::ParamManager* g_ParamManager = nullptr;
nsZarn::nsFramework::nsScene::CSceneManager g_SceneManager(nullptr, -1);
nsZarn::nsGraphics::ZarnGraphic g_Graphic;
nsZarn::nsSound::ZarnSound g_Sound;
nsZarn::nsInput::ZarnInput g_Input;

}  // namespace nsVesk
