// The plug-in's registration tables: every command type with its factory, parser,
// system-input flag and script keywords, the update patterns and the three effect
// stages. A row whose class or function the plug-in does not provide yet
// holds null and is not registered.

#include "plugin/entry/registration.h"

#include "plugin/commands/button_commands.h"
#include "plugin/commands/effect_command.h"
#include "plugin/commands/engine_state_commands.h"
#include "plugin/commands/flow_commands.h"
#include "plugin/commands/flow_parsers.h"
#include "plugin/commands/layer_commands.h"
#include "plugin/commands/mode_commands.h"
#include "plugin/commands/select_command.h"
#include "plugin/commands/sound_commands.h"
#include "plugin/commands/style_commands.h"
#include "plugin/commands/text_command.h"
#include "plugin/commands/timed_choice.h"
#include "plugin/commands/update_commands.h"
#include "plugin/commands/window_config_commands.h"
#include "plugin/effects/held_colour.h"
#include "plugin/effects/screen_effects.h"
#include "plugin/text/local_save_data.h"
#include "plugin/transitions/transition_patterns.h"

namespace nsWendrick {
namespace {

// The row of a command class: its type, factory, parser and keywords, and whether
// the host accepts the player's system input while a command of the class is current.
template <class Cmd>
constexpr CommandTypeEntry Row(bool systemInput) {
  return {Cmd::kType, &Cmd::Create, &Cmd::Parse, systemInput, &Cmd::Keywords};
}

constexpr bool kSystemInput = true;
constexpr bool kNoSystemInput = false;

// Every type in ascending order, but the second value that the text command reports
// during an inline wait. Else has a parser but no factory: its parser makes a jump.
// System input is refused during wait, update, effect, update2 and selectl.
constexpr CommandTypeEntry kCommandTypes[] = {
    Row<Cmd_if>(kSystemInput),
    Row<Cmd_se>(kSystemInput),
    Row<Cmd_bgm>(kSystemInput),
    Row<Cmd_end>(kSystemInput),
    Row<Cmd_set>(kSystemInput),
    Row<Cmd_calc>(kSystemInput),
    {kTypeElse, nullptr, ParseElse, kSystemInput, ElseKeywords},
    Row<Cmd_goto>(kSystemInput),
    Row<Cmd_text>(kSystemInput),
    Row<Cmd_select>(kSystemInput),
    Row<Cmd_settext>(kSystemInput),
    Row<Cmd_settalker>(kSystemInput),
    Row<Cmd_wait>(kNoSystemInput),
    Row<Cmd_gosub>(kSystemInput),
    Row<Cmd_return>(kSystemInput),
    Row<Cmd_setscreen>(kSystemInput),
    Row<Cmd_setskip>(kSystemInput),
    Row<Cmd_setauto>(kSystemInput),
    Row<Cmd_setcg>(kSystemInput),
    Row<Cmd_update>(kNoSystemInput),
    Row<Cmd_clearcg>(kSystemInput),
    Row<Cmd_bgcolor>(kSystemInput),
    Row<Cmd_setbutton>(kSystemInput),
    Row<Cmd_setsprite>(kSystemInput),
    Row<Cmd_chpriority>(kSystemInput),
    Row<Cmd_volume>(kSystemInput),
    Row<Cmd_jump>(kSystemInput),
    Row<Cmd_effect>(kNoSystemInput),
    Row<Cmd_suspend>(kSystemInput),
    Row<Cmd_systemcall>(kSystemInput),
    Row<Cmd_textwindow>(kSystemInput),
    Row<Cmd_image>(kSystemInput),
    Row<Cmd_cleartext>(kSystemInput),
    Row<Cmd_menu>(kSystemInput),
    Row<Cmd_sleep>(kSystemInput),
    Row<Cmd_charaspace>(kSystemInput),
    Row<Cmd_voice>(kSystemInput),
    Row<Cmd_settextwindow>(kSystemInput),
    Row<Cmd_settextcursor>(kSystemInput),
    Row<Cmd_setselecttext>(kSystemInput),
    Row<Cmd_setselectwindow>(kSystemInput),
    Row<Cmd_setselect>(kSystemInput),
    Row<Cmd_initialize>(kSystemInput),
    Row<Cmd_setruby>(kSystemInput),
    Row<Cmd_waittimeskip>(kSystemInput),
    Row<Cmd_kinsoku>(kSystemInput),
    Row<Cmd_update2>(kNoSystemInput),
    Row<Cmd_selectl>(kNoSystemInput),
    Row<Cmd_setselectl>(kSystemInput),
    Row<Cmd_rand>(kSystemInput),
    Row<Cmd_loop>(kSystemInput),
    Row<Cmd_break>(kSystemInput),
    Row<Cmd_loadobject>(kSystemInput),
    Row<Cmd_gotod>(kSystemInput),
    Row<Cmd_gosubd>(kSystemInput),
    Row<Cmd_forcetextwindow>(kSystemInput),
};

// Update patterns 0-15, 17-24, 26 and 28 (16, 25 and 27 are none).
constexpr NumberedFunction kUpdatePatterns[] = {
    {0, UpdateRedraw},         {1, UpdateCrossFade},      {2, UpdateFadeIn},
    {3, UpdateFlip},           {4, UpdateBlindRight},     {5, UpdateBlindDown},
    {6, UpdateBlindLeft},      {7, UpdateBlindUp},        {8, UpdateSweepRight},
    {9, UpdateSweepDown},      {10, UpdateSweepLeft},     {11, UpdateSweepUp},
    {12, UpdateSlideRight},    {13, UpdateSlideDown},     {14, UpdateSlideLeft},
    {15, UpdateSlideUp},       {17, UpdateShutterRight},  {18, UpdateShutterDown},
    {19, UpdateShutterLeft},   {20, UpdateShutterUp},     {21, UpdateCurtainRight},
    {22, UpdateCurtainDown},   {23, UpdateCurtainLeft},   {24, UpdateCurtainUp},
    {26, UpdateMove},          {28, UpdateSelectTimer},
};

// Effect numbers 1-16 in each stage, and the colour a fade-out ended on, held (no
// script starts it). An effect runs in the stage that has its real function
// and does nothing in the other two; the shakes run before drawing, the flashes and
// fades after the text window, the held colour after the text window in the story
// screen and before it on the screens that show the story under their own text.
constexpr NumberedFunction kEffectsBeforeDraw[] = {
    {1, EmptyEffect},      {2, EffectQuakeX},     {3, EffectQuakeY},    {4, EffectQuakeXY},
    {5, EmptyEffect},      {6, EmptyEffect},      {7, EmptyEffect},     {8, EmptyEffect},
    {9, EmptyEffect},      {10, EffectQuakeX2},   {11, EffectQuakeY2},  {12, EffectQuakeXY2},
    {13, EffectQuakeX3},   {14, EffectQuakeY3},   {15, EffectQuakeXY3}, {16, EmptyEffect},
    {kEffectHeldColour, EmptyEffect},
};

constexpr NumberedFunction kEffectsAfterDraw[] = {
    {1, EmptyEffect},  {2, EmptyEffect},  {3, EmptyEffect},  {4, EmptyEffect},
    {5, EmptyEffect},  {6, EmptyEffect},  {7, EmptyEffect},  {8, EmptyEffect},
    {9, EmptyEffect},  {10, EmptyEffect}, {11, EmptyEffect}, {12, EmptyEffect},
    {13, EmptyEffect}, {14, EmptyEffect}, {15, EmptyEffect}, {16, EmptyEffect},
    {kEffectHeldColour, EffectHeldColourUnderText},
};

constexpr NumberedFunction kEffectsAfterTextWindow[] = {
    {1, EffectFlash},      {2, EmptyEffect},      {3, EmptyEffect},     {4, EmptyEffect},
    {5, EffectFadeIn},     {6, EffectFadeOut},    {7, EffectFadeInU},   {8, EffectFadeOutU},
    {9, EffectFlash2},     {10, EmptyEffect},     {11, EmptyEffect},    {12, EmptyEffect},
    {13, EmptyEffect},     {14, EmptyEffect},     {15, EmptyEffect},    {16, EffectFlash3},
    {kEffectHeldColour, EffectHeldColour},
};

}  // namespace

const RegistrationTables& WendrickRegistrationTables() {
  static const RegistrationTables tables{
      kCommandTypes,
      kUpdatePatterns,
      kEffectsBeforeDraw,
      kEffectsAfterDraw,
      kEffectsAfterTextWindow,
      kWendrickDataName,
      WendrickSaveLocalData,
      WendrickLoadLocalData,
      EmptyDataFunc,
      EmptyDataFunc,
  };
  return tables;
}

}  // namespace nsWendrick
