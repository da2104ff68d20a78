#include "game/selection/selection_tables.h"

#include <new>

#include "game/core/param_access.h"
#include "game/selection/selection_state.h"

namespace nsVesk {

using nsComponent::UICButtonDraw;
using nsZarn::nsGraphics::Rect;

std::vector<std::string> g_CharaIniTable;
std::vector<std::vector<RoundNames>> g_EnemyIniTable;
std::vector<std::vector<RoundNames>> g_RoundIniTable;
std::vector<std::vector<RoundNames>> g_ADVIniTable;
std::vector<std::vector<std::string>> g_GohoubiIniTable;

std::vector<UICButtonDraw*>& g_CharaButtons = *new std::vector<UICButtonDraw*>;
std::vector<std::vector<UICButtonDraw*>>& g_EnemyButtons = *new std::vector<std::vector<UICButtonDraw*>>;
std::vector<Rect>& g_CharaSrcRects = *new std::vector<Rect>;
std::vector<Rect>& g_CharaClickRects = *new std::vector<Rect>;
std::vector<std::vector<Rect>>& g_EnemySrcRects = *new std::vector<std::vector<Rect>>;
std::vector<std::vector<Rect>>& g_EnemyClickRects = *new std::vector<std::vector<Rect>>;
cImageTable& g_SelectBackImages = *new cImageTable;
cImageTable& g_SelectButtonImages = *new cImageTable;

namespace {

// Far above any real game (two characters, each with a few enemies of a few
// rounds); the three lists nest, so each is kept small.
constexpr std::int32_t kMaxCharacters = 32;
constexpr std::int32_t kMaxEnemies = 32;
constexpr std::int32_t kMaxRounds = 32;

bool Below(std::size_t index, std::int32_t count) {
  return count > 0 && index < static_cast<std::size_t>(count);
}

// A new image button on the select screen's image table, one image for every look.
UICButtonDraw* MakeButton(const std::string& image, const Rect& source, const Rect& click) {
  auto* button = new UICButtonDraw(&g_SelectButtonImages);
  const UICButtonDraw::LookImage look{image, source};
  button->SetImages({look, look, look, look});
  button->SetRect(click, 255);
  button->SetSounds(GetParamString(kSelectIni, "CG", "SEOnCursor", ""),
                    GetParamString(kSelectIni, "CG", "SEONClicked", ""));
  return button;
}

template <typename Table>
const typename Table::value_type* At(const Table& table, std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= table.size()) return nullptr;
  return &table[static_cast<std::size_t>(index)];
}

std::string RoundEntry(const std::vector<std::vector<RoundNames>>& table, std::int32_t chara, std::int32_t enemy,
                       std::int32_t round) {
  const auto* enemies = At(table, chara);
  const auto* rounds = enemies != nullptr ? At(*enemies, enemy) : nullptr;
  const auto* name = rounds != nullptr ? At(*rounds, round) : nullptr;
  return name != nullptr ? *name : std::string();
}

}  // namespace

std::string CharaSection(std::size_t chara) { return "CharaSelect" + std::to_string(chara); }
std::string EnemySection(std::size_t enemy) { return "EnemySelect" + std::to_string(enemy); }
std::string EnemyFileOf(std::size_t chara) {
  return GetParamString(kSelectIni, CharaSection(chara), "EnemySelectIni", "");
}

void BuildSelectionTables() {
  ClearSelectTables();
  g_CharaIniTable.clear();
  g_EnemyIniTable.clear();
  g_RoundIniTable.clear();
  g_ADVIniTable.clear();
  g_GohoubiIniTable.clear();
  g_SelectChara = -1;
  g_SelectEnemy = -1;
  g_Round = 0;
  g_SelectBackImages.Load(kSelectBackImage, GetParamString(kSelectIni, "CG", "BackFileName", ""));

  const std::int32_t characters = GetParamCount(kSelectIni, "CG", "CharaNum", kMaxCharacters);
  for (std::size_t c = 0; Below(c, characters); ++c) {
    const std::string chara = CharaSection(c);
    const Rect charaSource = GetParamRect(kSelectIni, chara, "SrcRect");
    const Rect charaClick = GetParamRect(kSelectIni, chara, "ClickRect");
    g_CharaButtons.push_back(
        MakeButton(GetParamString(kSelectIni, chara, "FileName", ""), charaSource, charaClick));
    g_CharaSrcRects.push_back(charaSource);
    g_CharaClickRects.push_back(charaClick);
    g_CharaIniTable.push_back(GetParamString(kSelectIni, chara, "CharaIni", ""));
    g_EnemyIniTable.emplace_back();
    g_EnemyButtons.emplace_back();
    g_EnemySrcRects.emplace_back();
    g_EnemyClickRects.emplace_back();
    g_RoundIniTable.emplace_back();
    g_ADVIniTable.emplace_back();
    g_GohoubiIniTable.emplace_back();

    const std::string enemyFile = EnemyFileOf(c);
    const std::int32_t enemies = GetParamCount(enemyFile, "CG", "EnemyNum", kMaxEnemies);
    for (std::size_t e = 0; Below(e, enemies); ++e) {
      const std::string enemy = EnemySection(e);
      const Rect source = GetParamRect(enemyFile, enemy, "SrcRect");
      const Rect click = GetParamRect(enemyFile, enemy, "ClickRect");
      g_EnemyButtons[c].push_back(MakeButton(GetParamString(enemyFile, enemy, "FileName", ""), source, click));
      g_EnemyIniTable[c].emplace_back();
      g_RoundIniTable[c].emplace_back();
      g_ADVIniTable[c].emplace_back();
      g_EnemySrcRects[c].push_back(source);
      g_EnemyClickRects[c].push_back(click);
      const std::int32_t rounds = GetParamCount(enemyFile, enemy, "RoundNum", kMaxRounds);
      for (std::size_t r = 0; Below(r, rounds); ++r) {
        const std::string number = std::to_string(r);
        g_EnemyIniTable[c][e].push_back(GetParamString(enemyFile, enemy, "EnemyIni" + number, ""));
        g_RoundIniTable[c][e].push_back(GetParamString(enemyFile, enemy, "RoundIni" + number, ""));
        g_ADVIniTable[c][e].push_back(GetParamString(enemyFile, enemy, "ADVIni" + number, ""));
      }
      g_GohoubiIniTable[c].push_back(GetParamString(enemyFile, enemy, "GohoubiIni", ""));
    }
  }
}

void ClearSelectTables() {
  g_SelectBackImages.Clear();
  g_SelectButtonImages.Clear();
  for (auto* button : g_CharaButtons) delete button;
  for (auto& buttons : g_EnemyButtons) {
    for (auto* button : buttons) delete button;
  }
  g_CharaButtons.clear();
  g_EnemyButtons.clear();
  g_CharaSrcRects.clear();
  g_CharaClickRects.clear();
  g_EnemySrcRects.clear();
  g_EnemyClickRects.clear();
}

std::string CharaIniOf(std::int32_t chara) {
  const auto* name = At(g_CharaIniTable, chara);
  return name != nullptr ? *name : std::string();
}

std::size_t RoundCountOf(std::int32_t chara, std::int32_t enemy) {
  const auto* enemies = At(g_RoundIniTable, chara);
  const auto* rounds = enemies != nullptr ? At(*enemies, enemy) : nullptr;
  return rounds != nullptr ? rounds->size() : 0;
}

std::string RoundIniOf(std::int32_t chara, std::int32_t enemy, std::int32_t round) {
  return RoundEntry(g_RoundIniTable, chara, enemy, round);
}
std::string EnemyIniOf(std::int32_t chara, std::int32_t enemy, std::int32_t round) {
  return RoundEntry(g_EnemyIniTable, chara, enemy, round);
}
std::string ADVIniOf(std::int32_t chara, std::int32_t enemy, std::int32_t round) {
  return RoundEntry(g_ADVIniTable, chara, enemy, round);
}

std::string GohoubiIniOf(std::int32_t chara, std::int32_t enemy) {
  const auto* enemies = At(g_GohoubiIniTable, chara);
  const auto* name = enemies != nullptr ? At(*enemies, enemy) : nullptr;
  return name != nullptr ? *name : std::string();
}

}  // namespace nsVesk
