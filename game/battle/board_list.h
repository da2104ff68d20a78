#pragma once
// The stacked boards of a battle round, owned by the battle: entry 0 is the top
// board, drawn last and the first to get the clicks.

#include <memory>
#include <vector>

#include "game/battle/mine_ex.h"

namespace nsVesk::nsGame::nsMine {

using BoardList = std::vector<std::unique_ptr<nsEX::cMineEx>>;

}  // namespace nsVesk::nsGame::nsMine
