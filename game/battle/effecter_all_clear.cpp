#include "game/battle/effecter_all_clear.h"

#include "game/battle/battle_engine.h"
#include "game/core/program_objects.h"

namespace nsVesk::nsGame::nsMine::nsEXEffect {

void cEffecterAllClear::Start() {
  m_Timer.Reset();
  m_Running = true;
}

void cEffecterAllClear::Stop() {
  m_Running = false;
  IBoardPlayer* player = m_Context != nullptr ? m_Context->GetBoardPlayer() : nullptr;
  if (player == nullptr) return;
  player->AddAtkRate(kAtkRateReward);
  const std::int32_t maximum = m_Context->GetChipRewards().maxPlayerAtkRate;
  if (player->GetAtkRate() > maximum) player->SetAtkRate(maximum);
}

void cEffecterAllClear::Update() {
  if (!m_Running) return;
  const std::uint32_t shown = m_Timer.Update();
  g_Graphic.DrawFreeText("全消し！", 200, 250, 0xFFFFFFFFu, "HG行書体", 100, false, false, 0.0f);
  if (!IsBattleSEPlaying(kSound)) PlayBattleSE(kSound);
  if (shown > kShowTime) Stop();
}

}  // namespace nsVesk::nsGame::nsMine::nsEXEffect
