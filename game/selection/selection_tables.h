#pragma once
// The tables the select scene builds from "Data/Select/Select.ini" and from one
// enemy file per character.
//
// The selection tables name the parameter files of every character, stage
// (enemy) and round; they outlive the select scene, so the story, battle and
// reward scenes that follow read them with the selection's indices. The select
// tables (buttons, rectangles, images) belong to the select screen and are
// emptied when its scene ends.
//
// Readers go through the bounds-checked lookups below: an index outside a table
// gives an empty name (or no rounds), never a read past its end.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/graphics/graphics_types.h"
#include "game/components/ui_button_draw.h"
#include "game/managers/image_table.h"

namespace nsVesk {

using RoundNames = std::vector<std::string>;

// [chara]
extern std::vector<std::string> g_CharaIniTable;
// [chara][enemy][round]
extern std::vector<std::vector<RoundNames>> g_EnemyIniTable;
extern std::vector<std::vector<RoundNames>> g_RoundIniTable;
extern std::vector<std::vector<RoundNames>> g_ADVIniTable;
// [chara][enemy]
extern std::vector<std::vector<std::string>> g_GohoubiIniTable;

// The select screen's own tables. They are never destroyed at exit (a select
// scene left on the stack empties them from the scene manager's destructor); the
// buttons are owned and deleted by ClearSelectTables.
extern std::vector<nsComponent::UICButtonDraw*>& g_CharaButtons;
extern std::vector<std::vector<nsComponent::UICButtonDraw*>>& g_EnemyButtons;
extern std::vector<nsZarn::nsGraphics::Rect>& g_CharaSrcRects;
extern std::vector<nsZarn::nsGraphics::Rect>& g_CharaClickRects;
extern std::vector<std::vector<nsZarn::nsGraphics::Rect>>& g_EnemySrcRects;
extern std::vector<std::vector<nsZarn::nsGraphics::Rect>>& g_EnemyClickRects;
extern cImageTable& g_SelectBackImages;
extern cImageTable& g_SelectButtonImages;

inline constexpr char kSelectIni[] = "Data/Select/Select.ini";
inline constexpr char kSelectBackImage[] = "BackImage";

// Empties the selection tables, resets the selection to -1, -1, round 0, and
// builds both groups of tables anew from the parameter files. The select tables
// are emptied first, so building twice gives the same tables.
void BuildSelectionTables();
// Releases the select screen's images and buttons and empties its tables; the
// selection tables stay.
void ClearSelectTables();

// "CharaSelect<c>" and "EnemySelect<e>".
std::string CharaSection(std::size_t chara);
std::string EnemySection(std::size_t enemy);
// The enemy file of a character ([CharaSelect<c>] EnemySelectIni).
std::string EnemyFileOf(std::size_t chara);

// Bounds-checked reads of the selection tables; negative indices count as outside.
std::string CharaIniOf(std::int32_t chara);
std::size_t RoundCountOf(std::int32_t chara, std::int32_t enemy);
std::string RoundIniOf(std::int32_t chara, std::int32_t enemy, std::int32_t round);
std::string EnemyIniOf(std::int32_t chara, std::int32_t enemy, std::int32_t round);
std::string ADVIniOf(std::int32_t chara, std::int32_t enemy, std::int32_t round);
std::string GohoubiIniOf(std::int32_t chara, std::int32_t enemy);

}  // namespace nsVesk
