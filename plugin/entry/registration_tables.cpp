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

// Every type in ascending order, but the second value that the text command reports
// during an inline wait. Else has a parser but no factory: its parser makes a jump.
// System input is refused during wait, update, effect, update2 and selectl.
constexpr CommandTypeEntry kCommandTypes[] = {
    {Cmd_if::kType, Cmd_if::Create, ParseIf, true, Cmd_if::Keywords},
    {Cmd_se::kType, Cmd_se::Create, Cmd_se::Parse, true, Cmd_se::Keywords},
    {Cmd_bgm::kType, Cmd_bgm::Create, Cmd_bgm::Parse, true, Cmd_bgm::Keywords},
    {Cmd_end::kType, Cmd_end::Create, ParseEnd, true, Cmd_end::Keywords},
    {Cmd_set::kType, Cmd_set::Create, ParseSet, true, Cmd_set::Keywords},
    {Cmd_calc::kType, Cmd_calc::Create, ParseCalc, true, Cmd_calc::Keywords},
    {kTypeElse, nullptr, ParseElse, true, ElseKeywords},
    {Cmd_goto::kType, Cmd_goto::Create, ParseGoto, true, Cmd_goto::Keywords},
    {Cmd_text::kType, Cmd_text::Create, Cmd_text::Parse, true, Cmd_text::Keywords},
    {Cmd_select::kType, Cmd_select::Create, Cmd_select::Parse, true, Cmd_select::Keywords},
    {Cmd_settext::kType, Cmd_settext::Create, Cmd_settext::Parse, true, Cmd_settext::Keywords},
    {Cmd_settalker::kType, Cmd_settalker::Create, Cmd_settalker::Parse, true,
     Cmd_settalker::Keywords},
    {Cmd_wait::kType, Cmd_wait::Create, ParseWait, false, Cmd_wait::Keywords},
    {Cmd_gosub::kType, Cmd_gosub::Create, ParseGosub, true, Cmd_gosub::Keywords},
    {Cmd_return::kType, Cmd_return::Create, ParseReturn, true, Cmd_return::Keywords},
    {Cmd_setscreen::kType, Cmd_setscreen::Create, Cmd_setscreen::Parse, true,
     Cmd_setscreen::Keywords},
    {Cmd_setskip::kType, Cmd_setskip::Create, Cmd_setskip::Parse, true, Cmd_setskip::Keywords},
    {Cmd_setauto::kType, Cmd_setauto::Create, Cmd_setauto::Parse, true, Cmd_setauto::Keywords},
    {Cmd_setcg::kType, Cmd_setcg::Create, Cmd_setcg::Parse, true, Cmd_setcg::Keywords},
    {Cmd_update::kType, CreateCmdUpdate, ParseUpdate, false, Cmd_update::Keywords},
    {Cmd_clearcg::kType, Cmd_clearcg::Create, Cmd_clearcg::Parse, true, Cmd_clearcg::Keywords},
    {Cmd_bgcolor::kType, Cmd_bgcolor::Create, Cmd_bgcolor::Parse, true, Cmd_bgcolor::Keywords},
    {Cmd_setbutton::kType, Cmd_setbutton::Create, Cmd_setbutton::Parse, true,
     Cmd_setbutton::Keywords},
    {Cmd_setsprite::kType, Cmd_setsprite::Create, Cmd_setsprite::Parse, true,
     Cmd_setsprite::Keywords},
    {Cmd_chpriority::kType, Cmd_chpriority::Create, Cmd_chpriority::Parse, true,
     Cmd_chpriority::Keywords},
    {Cmd_volume::kType, Cmd_volume::Create, Cmd_volume::Parse, true, Cmd_volume::Keywords},
    {Cmd_jump::kType, Cmd_jump::Create, ParseJump, true, Cmd_jump::Keywords},
    {Cmd_effect::kType, Cmd_effect::Create, Cmd_effect::Parse, false, Cmd_effect::Keywords},
    {Cmd_suspend::kType, Cmd_suspend::Create, Cmd_suspend::Parse, true, Cmd_suspend::Keywords},
    {Cmd_systemcall::kType, Cmd_systemcall::Create, Cmd_systemcall::Parse, true,
     Cmd_systemcall::Keywords},
    {Cmd_textwindow::kType, Cmd_textwindow::Create, Cmd_textwindow::Parse, true,
     Cmd_textwindow::Keywords},
    {Cmd_image::kType, Cmd_image::Create, Cmd_image::Parse, true, Cmd_image::Keywords},
    {Cmd_cleartext::kType, Cmd_cleartext::Create, Cmd_cleartext::Parse, true,
     Cmd_cleartext::Keywords},
    {Cmd_menu::kType, Cmd_menu::Create, Cmd_menu::Parse, true, Cmd_menu::Keywords},
    {Cmd_sleep::kType, Cmd_sleep::Create, Cmd_sleep::Parse, true, Cmd_sleep::Keywords},
    {Cmd_charaspace::kType, Cmd_charaspace::Create, Cmd_charaspace::Parse, true,
     Cmd_charaspace::Keywords},
    {Cmd_voice::kType, Cmd_voice::Create, Cmd_voice::Parse, true, Cmd_voice::Keywords},
    {Cmd_settextwindow::kType, Cmd_settextwindow::Create, Cmd_settextwindow::Parse, true,
     Cmd_settextwindow::Keywords},
    {Cmd_settextcursor::kType, Cmd_settextcursor::Create, Cmd_settextcursor::Parse, true,
     Cmd_settextcursor::Keywords},
    {Cmd_setselecttext::kType, Cmd_setselecttext::Create, Cmd_setselecttext::Parse, true,
     Cmd_setselecttext::Keywords},
    {Cmd_setselectwindow::kType, Cmd_setselectwindow::Create, Cmd_setselectwindow::Parse, true,
     Cmd_setselectwindow::Keywords},
    {Cmd_setselect::kType, Cmd_setselect::Create, Cmd_setselect::Parse, true,
     Cmd_setselect::Keywords},
    {Cmd_initialize::kType, Cmd_initialize::Create, Cmd_initialize::Parse, true,
     Cmd_initialize::Keywords},
    {Cmd_setruby::kType, Cmd_setruby::Create, Cmd_setruby::Parse, true, Cmd_setruby::Keywords},
    {Cmd_waittimeskip::kType, Cmd_waittimeskip::Create, Cmd_waittimeskip::Parse, true,
     Cmd_waittimeskip::Keywords},
    {Cmd_kinsoku::kType, Cmd_kinsoku::Create, Cmd_kinsoku::Parse, true, Cmd_kinsoku::Keywords},
    {Cmd_update2::kType, CreateCmdUpdate2, ParseUpdate2, false, Cmd_update2::Keywords},
    {Cmd_selectl::kType, Cmd_selectl::Create, Cmd_selectl::Parse, false, Cmd_selectl::Keywords},
    {Cmd_setselectl::kType, Cmd_setselectl::Create, Cmd_setselectl::Parse, true,
     Cmd_setselectl::Keywords},
    {Cmd_rand::kType, Cmd_rand::Create, ParseRand, true, Cmd_rand::Keywords},
    {Cmd_loop::kType, Cmd_loop::Create, ParseLoop, true, Cmd_loop::Keywords},
    {Cmd_break::kType, Cmd_break::Create, ParseBreak, true, Cmd_break::Keywords},
    {Cmd_loadobject::kType, Cmd_loadobject::Create, ParseLoadObject, true,
     Cmd_loadobject::Keywords},
    {Cmd_gotod::kType, Cmd_gotod::Create, ParseGotod, true, Cmd_gotod::Keywords},
    {Cmd_gosubd::kType, Cmd_gosubd::Create, ParseGosubd, true, Cmd_gosubd::Keywords},
    {Cmd_forcetextwindow::kType, Cmd_forcetextwindow::Create, Cmd_forcetextwindow::Parse, true,
     Cmd_forcetextwindow::Keywords},
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
