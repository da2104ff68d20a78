// Loading a round INI into the battle context, and building the round's boards.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/api/plugin_api.h"
#include "game/battle/battle_context.h"
#include "game/battle/board_picture_table.h"
#include "game/battle/mine.h"
#include "game/core/param_access.h"

namespace nsVesk::nsGame {

namespace {

// Far above any real round (a few boards, chip pictures, bomb slots and attack
// rate icons): a round that asks for more is refused when its stage loads.
constexpr std::int32_t kMaxBoards = 64;
constexpr std::int32_t kMaxListEntries = 256;

// A numbered key such as "Left0": the name followed by the number in decimal.
std::string Numbered(const char* name, std::int32_t i) { return name + std::to_string(i); }

// A round whose boards have no cell, or whose cells have no size, could be neither
// played nor won, and one whose boards or lists are too large would exhaust the
// program: it is refused with the file and the key at fault. A round without
// boards is allowed (it counts as cleared).
void CheckRoundShape(const std::string& ini) {
  GetParamCount(ini, "Image", "ChipImageVariationNum", kMaxListEntries);
  GetParamCount(ini, "BombIconClickRect", "Num", kMaxListEntries);
  GetParamCount(ini, "AtkRateIconPosition", "Num", kMaxListEntries);
  const std::int32_t boards = GetParamCount(ini, "Stage", "BoardsNum", kMaxBoards);
  if (boards <= 0) return;
  auto atLeastOne = [&ini](const char* section, const char* key) {
    const std::int32_t value = GetParamInt(ini, section, key, 0);
    if (value <= 0) {
      RuntimeError(nullptr, "%sの[%s] %sは1以上でなければなりません！（%d）", ini.c_str(), section, key,
                   static_cast<int>(value));
    }
    return value;
  };
  const std::int32_t height = atLeastOne("Stage", "MineBoardHeight");
  const std::int32_t width = atLeastOne("Stage", "MineBoardWidth");
  if (std::uint64_t{static_cast<std::uint32_t>(width)} * static_cast<std::uint32_t>(height) >
      nsMine::nsCore::cMine::kMaxCells) {
    RuntimeError(nullptr, "%sの[Stage] MineBoardWidth x MineBoardHeightが大きすぎます！（%d x %d）", ini.c_str(),
                 static_cast<int>(width), static_cast<int>(height));
  }
  atLeastOne("Image", "ChipWidth");
  atLeastOne("Image", "ChipHeight");
}

}  // namespace

std::string cBattleContext::NextChipImage() {
  if (m_ChipImageFileNames.empty()) return std::string();
  if (m_NextChipImage >= m_ChipImageFileNames.size()) m_NextChipImage = 0;
  return m_ChipImageFileNames[m_NextChipImage++];
}

void cBattleContext::LoadHudImage(cImageTable& table, const std::string& name, const std::string& file) {
  // A later stage that names another file shows its own picture with its own
  // rectangles; the same file is not read again.
  auto known = m_HudFiles.find(name);
  if (known != m_HudFiles.end() && known->second != file) table.Release(name);
  m_HudFiles[name] = file;
  table.Load(name, file);
}

void cBattleContext::SetBackImage(const std::string& file, Rect source) {
  m_BackSrcRect = source;
  LoadHudImage(m_HudImages, "BG", file);
}

void cBattleContext::SetEnemyLifeBar(const std::string& file, Rect source, std::int32_t x, std::int32_t y) {
  m_EnemyLifeBarSrcRect = source;
  m_EnemyLifeBarPosition = Point{x, y};
  LoadHudImage(m_HudImages, "EnemyLifeBar", file);
}

void cBattleContext::SetBombIconFront(const std::string& file, Rect source, const std::vector<Rect>& slots) {
  m_BombIconFrontSrcRect = source;
  m_BombIconClickRect = slots;
  LoadHudImage(m_BombIconImages, nsMine::nsEXEffect::cEffecterBombIcon::kImageName, file);
}

void cBattleContext::SetBombIconBack(const std::string& file, Rect source, const std::vector<Rect>& slots) {
  m_BombIconBackSrcRect = source;
  m_BombIconBackRect = slots;
  LoadHudImage(m_HudImages, "BombIconImageB", file);
}

void cBattleContext::SetAtkRateIconFront(const std::string& file, Rect source, const std::vector<Point>& places) {
  m_AtkRateIconFrontSrcRect = source;
  m_AtkRateIconPosition = places;
  LoadHudImage(m_HudImages, "AtkRateIconImageF", file);
}

void cBattleContext::SetAtkRateIconBack(const std::string& file, Rect source, const std::vector<Point>& places) {
  m_AtkRateIconBackSrcRect = source;
  m_AtkRateIconBackPosition = places;
  LoadHudImage(m_HudImages, "AtkRateIconImageB", file);
}

void cBattleContext::LoadStage(const std::string& roundIni) {
  const std::string& ini = roundIni;
  CheckRoundShape(ini);
  m_RoundIni = roundIni;

  const std::int32_t chipNames = GetParamCount(ini, "Image", "ChipImageVariationNum", kMaxListEntries);
  for (std::int32_t i = 0; i < chipNames; ++i) {
    m_ChipImageFileNames.push_back(GetParamString(ini, "Image", Numbered("ChipImageFileName", i), ""));
  }

  m_PowNum = GetParamInt(ini, "Stage", "PowNum", 0);
  m_BombNum = GetParamInt(ini, "Stage", "BombNum", 0);
  m_ScoreNum = GetParamInt(ini, "Stage", "ScoreNum", 0);

  m_MaxPlayerBomb = GetParamInt(ini, "Event", "MaxPlayerBomb", 0);
  m_MaxPlayerAtkRate = GetParamInt(ini, "Event", "MaxPlayerAtkRate", 0);
  m_AddBombOnOpenChip = GetParamInt(ini, "Event", "AddBombOnOpenChip", 0);
  m_AddLifeOnOpenMine = GetParamInt(ini, "Event", "AddLifeOnOpenMine", 0);
  m_AddAtkRateOnOpenPow = GetParamInt(ini, "Event", "AddAtkRateOnOpenPow", 0);
  m_AddBombOnOpenBomb = GetParamInt(ini, "Event", "AddBombOnOpenBomb", 0);
  m_AddScoreOnOpenScore = GetParamInt(ini, "Event", "AddScoreOnOpenScore", 0);
  m_SubAtkRateOnOpenMine = GetParamInt(ini, "Event", "SubAtkRateOnOpenMine", 0);

  SetOnOpenMineSE(GetParamString(ini, "SE", "OnOpenMine", ""));

  const Rect backSource = GetParamRect(ini, "Image", "BackSrcRect");
  SetBackImage(GetParamString(ini, "Image", "BackFileName", ""), backSource);

  const Rect barSource = GetParamRect(ini, "Image", "EnemyLifeBarSrcRect");
  const std::int32_t barX = GetParamInt(ini, "EnemyLifeBar", "PositionX", 0);
  const std::int32_t barY = GetParamInt(ini, "EnemyLifeBar", "PositionY", 0);
  SetEnemyLifeBar(GetParamString(ini, "Image", "EnemyLifeBarFileName", ""), barSource, barX, barY);

  std::vector<Rect> slots;
  const std::int32_t slotCount = GetParamCount(ini, "BombIconClickRect", "Num", kMaxListEntries);
  for (std::int32_t i = 0; i < slotCount; ++i) {
    Rect slot{0, 0, 0, 0};
    slot.left = GetParamInt(ini, "BombIconClickRect", Numbered("Left", i), 0);
    slot.top = GetParamInt(ini, "BombIconClickRect", Numbered("Top", i), 0);
    slot.right = GetParamInt(ini, "BombIconClickRect", Numbered("Right", i), 0);
    slot.bottom = GetParamInt(ini, "BombIconClickRect", Numbered("Bottom", i), 0);
    slots.push_back(slot);
  }
  const std::string bombFront = GetParamString(ini, "Image", "BombIconFrontFileName", "");
  const std::string bombBack = GetParamString(ini, "Image", "BombIconBackFileName", "");
  const Rect bombFrontSource = GetParamRect(ini, "Image", "BombIconFrontSrcRect");
  const Rect bombBackSource = GetParamRect(ini, "Image", "BombIconBackSrcRect");
  SetBombIconBack(bombBack, bombBackSource, slots);
  SetBombIconFront(bombFront, bombFrontSource, slots);
  m_BombIconMove.Setup(bombFront, bombFrontSource, slots);
  m_BombIconMove.SetDuration(kBombIconSlideTime);
  m_BombIconReturn.Setup(bombFront, bombFrontSource, slots);
  m_BombIconReturn.SetDuration(kBombIconSlideTime);

  std::vector<Point> places;
  const std::int32_t placeCount = GetParamCount(ini, "AtkRateIconPosition", "Num", kMaxListEntries);
  for (std::int32_t i = 0; i < placeCount; ++i) {
    places.push_back(Point{GetParamInt(ini, "AtkRateIconPosition", Numbered("X", i), 0),
                           GetParamInt(ini, "AtkRateIconPosition", Numbered("Y", i), 0)});
  }
  const std::string rateFront = GetParamString(ini, "Image", "AtkRateIconFrontFileName", "");
  const std::string rateBack = GetParamString(ini, "Image", "AtkRateIconBackFileName", "");
  const Rect rateFrontSource = GetParamRect(ini, "Image", "AtkRateIconFrontSrcRect");
  const Rect rateBackSource = GetParamRect(ini, "Image", "AtkRateIconBackSrcRect");
  SetAtkRateIconBack(rateBack, rateBackSource, places);
  SetAtkRateIconFront(rateFront, rateFrontSource, places);

  m_BombArmed = false;

  m_MineAnimation.Load(kMineAnimationFile);
  m_HitTemplate.LoadAnimations(kHitStartFile, kFlightFile, kHitArrivalFile);
  m_PowTemplate.LoadAnimations(kPowFile, kPowFile, kPowFile);
  m_BombTemplate.LoadAnimations(kBombFile, kBombFile, kBombFile);
  m_ScoreTemplate.LoadAnimations(kScoreFile, kScoreFile, kScoreFile);
}

void cBattleContext::CreateBoards() {
  m_ActiveBoard = nullptr;
  m_Boards.clear();

  // Bring the chip image cycle to the round's first name. The search stops after
  // one turn of the list: a name that is not in it (no names in the round INI)
  // gives every board that name and leaves the cycle where it was.
  const std::string first = GetParamString(m_RoundIni, "Image", "ChipImageFileName0", "");
  std::string current = first;
  bool found = false;
  for (std::size_t turn = 0; turn < m_ChipImageFileNames.size(); ++turn) {
    current = NextChipImage();
    if (current == first) {
      found = true;
      break;
    }
  }
  if (!found) current = first;

  const std::int32_t boardCount = GetParamCount(m_RoundIni, "Stage", "BoardsNum", kMaxBoards);
  for (std::int32_t i = 0; i < boardCount; ++i) {
    auto board = std::make_unique<nsMine::nsEX::cMineEx>(this, std::make_unique<cBoardPictureTable>());
    board->SetChipImage(current);
    const std::int32_t height = GetParamInt(m_RoundIni, "Stage", "MineBoardHeight", 0);
    const std::int32_t width = GetParamInt(m_RoundIni, "Stage", "MineBoardWidth", 0);
    board->Create(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height));
    board->SetMineNum(GetParamInt(m_RoundIni, "Stage", "MineNum", 0));
    board->SetChipWidth(GetParamInt(m_RoundIni, "Image", "ChipWidth", 0));
    board->SetChipHeight(GetParamInt(m_RoundIni, "Image", "ChipHeight", 0));
    board->SetChipBaseX(GetParamInt(m_RoundIni, "Image", "ChipBaseX", 0));
    board->SetChipBaseY(GetParamInt(m_RoundIni, "Image", "ChipBaseY", 0));
    board->SetOnOpenChipSE(GetParamString(m_RoundIni, "SE", "OnOpenChip", ""));
    board->SetOnSetFlagSE(GetParamString(m_RoundIni, "SE", "OnSetFlag", ""));
    m_Boards.push_back(std::move(board));
    if (found) current = NextChipImage();
  }

  StartRound();

  for (auto* list : {&m_MineEffects, &m_HitEffects, &m_PowEffects, &m_BombEffects, &m_ScoreEffects}) {
    list->Clear();
    list->Enable();
  }
}

}  // namespace nsVesk::nsGame
