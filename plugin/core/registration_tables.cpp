// The plug-in's registration tables: every command type with its factory, parser
// and system-input flag, every script keyword, the update patterns and the three
// effect stages. A row whose class or function the plug-in does not provide yet
// holds null and is not registered.

#include "plugin/core/registration.h"

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
    {Cmd_if::kType, Cmd_if::Create, ParseIf, true},
    {Cmd_se::kType, Cmd_se::Create, Cmd_se::Parse, true},
    {Cmd_bgm::kType, Cmd_bgm::Create, Cmd_bgm::Parse, true},
    {Cmd_end::kType, Cmd_end::Create, ParseEnd, true},
    {Cmd_set::kType, Cmd_set::Create, ParseSet, true},
    {Cmd_calc::kType, Cmd_calc::Create, ParseCalc, true},
    {kTypeElse, nullptr, ParseElse, true},
    {Cmd_goto::kType, Cmd_goto::Create, ParseGoto, true},
    {Cmd_text::kType, Cmd_text::Create, Cmd_text::Parse, true},
    {Cmd_select::kType, Cmd_select::Create, Cmd_select::Parse, true},
    {Cmd_settext::kType, Cmd_settext::Create, Cmd_settext::Parse, true},
    {Cmd_settalker::kType, Cmd_settalker::Create, Cmd_settalker::Parse, true},
    {Cmd_wait::kType, Cmd_wait::Create, ParseWait, false},
    {Cmd_gosub::kType, Cmd_gosub::Create, ParseGosub, true},
    {Cmd_return::kType, Cmd_return::Create, ParseReturn, true},
    {Cmd_setscreen::kType, Cmd_setscreen::Create, Cmd_setscreen::Parse, true},
    {Cmd_setskip::kType, Cmd_setskip::Create, Cmd_setskip::Parse, true},
    {Cmd_setauto::kType, Cmd_setauto::Create, Cmd_setauto::Parse, true},
    {Cmd_setcg::kType, Cmd_setcg::Create, Cmd_setcg::Parse, true},
    {Cmd_update::kType, CreateCmdUpdate, ParseUpdate, false},
    {Cmd_clearcg::kType, Cmd_clearcg::Create, Cmd_clearcg::Parse, true},
    {Cmd_bgcolor::kType, Cmd_bgcolor::Create, Cmd_bgcolor::Parse, true},
    {Cmd_setbutton::kType, Cmd_setbutton::Create, Cmd_setbutton::Parse, true},
    {Cmd_setsprite::kType, Cmd_setsprite::Create, Cmd_setsprite::Parse, true},
    {Cmd_chpriority::kType, Cmd_chpriority::Create, Cmd_chpriority::Parse, true},
    {Cmd_volume::kType, Cmd_volume::Create, Cmd_volume::Parse, true},
    {Cmd_jump::kType, Cmd_jump::Create, ParseJump, true},
    {Cmd_effect::kType, Cmd_effect::Create, Cmd_effect::Parse, false},
    {Cmd_suspend::kType, Cmd_suspend::Create, Cmd_suspend::Parse, true},
    {Cmd_systemcall::kType, Cmd_systemcall::Create, Cmd_systemcall::Parse, true},
    {Cmd_textwindow::kType, Cmd_textwindow::Create, Cmd_textwindow::Parse, true},
    {Cmd_image::kType, Cmd_image::Create, Cmd_image::Parse, true},
    {Cmd_cleartext::kType, Cmd_cleartext::Create, Cmd_cleartext::Parse, true},
    {Cmd_menu::kType, Cmd_menu::Create, Cmd_menu::Parse, true},
    {Cmd_sleep::kType, Cmd_sleep::Create, Cmd_sleep::Parse, true},
    {Cmd_charaspace::kType, Cmd_charaspace::Create, Cmd_charaspace::Parse, true},
    {Cmd_voice::kType, Cmd_voice::Create, Cmd_voice::Parse, true},
    {Cmd_settextwindow::kType, Cmd_settextwindow::Create, Cmd_settextwindow::Parse, true},
    {Cmd_settextcursor::kType, Cmd_settextcursor::Create, Cmd_settextcursor::Parse, true},
    {Cmd_setselecttext::kType, Cmd_setselecttext::Create, Cmd_setselecttext::Parse, true},
    {Cmd_setselectwindow::kType, Cmd_setselectwindow::Create, Cmd_setselectwindow::Parse, true},
    {Cmd_setselect::kType, Cmd_setselect::Create, Cmd_setselect::Parse, true},
    {Cmd_initialize::kType, Cmd_initialize::Create, Cmd_initialize::Parse, true},
    {Cmd_setruby::kType, Cmd_setruby::Create, Cmd_setruby::Parse, true},
    {Cmd_waittimeskip::kType, Cmd_waittimeskip::Create, Cmd_waittimeskip::Parse, true},
    {Cmd_kinsoku::kType, Cmd_kinsoku::Create, Cmd_kinsoku::Parse, true},
    {Cmd_update2::kType, CreateCmdUpdate2, ParseUpdate2, false},
    {Cmd_selectl::kType, Cmd_selectl::Create, Cmd_selectl::Parse, false},
    {Cmd_setselectl::kType, Cmd_setselectl::Create, Cmd_setselectl::Parse, true},
    {Cmd_rand::kType, Cmd_rand::Create, ParseRand, true},
    {Cmd_loop::kType, Cmd_loop::Create, ParseLoop, true},
    {Cmd_break::kType, Cmd_break::Create, ParseBreak, true},
    {Cmd_loadobject::kType, Cmd_loadobject::Create, ParseLoadObject, true},
    {Cmd_gotod::kType, Cmd_gotod::Create, ParseGotod, true},
    {Cmd_gosubd::kType, Cmd_gosubd::Create, ParseGosubd, true},
    {Cmd_forcetextwindow::kType, Cmd_forcetextwindow::Create, Cmd_forcetextwindow::Parse, true},
};

constexpr KeywordEntry kKeywords[] = {
    {"if", Cmd_if::kType},
    {"stopallse", Cmd_se::kType}, {"unloadallse", Cmd_se::kType}, {"playse", Cmd_se::kType},
    {"stopse", Cmd_se::kType}, {"loadse", Cmd_se::kType}, {"unloadse", Cmd_se::kType},
    {"playbgm", Cmd_bgm::kType}, {"stopbgm", Cmd_bgm::kType}, {"playoncebgm", Cmd_bgm::kType},
    {"end", Cmd_end::kType},
    {"local", Cmd_set::kType}, {"global", Cmd_set::kType}, {"button", Cmd_set::kType},
    {"sprite", Cmd_set::kType},
    {"calc", Cmd_calc::kType},
    {"else", kTypeElse},
    {"goto", Cmd_goto::kType},
    {"text", Cmd_text::kType},
    {"select", Cmd_select::kType},
    {"textfont", Cmd_settext::kType}, {"textsize", Cmd_settext::kType},
    {"textcolor", Cmd_settext::kType}, {"textspeed", Cmd_settext::kType},
    {"textposition", Cmd_settext::kType}, {"textmaxwidth", Cmd_settext::kType},
    {"textmaxheight", Cmd_settext::kType}, {"textcspace", Cmd_settext::kType},
    {"textlspace", Cmd_settext::kType}, {"textalignleft", Cmd_settext::kType},
    {"textaligncenter", Cmd_settext::kType}, {"textalignright", Cmd_settext::kType},
    {"talkerfont", Cmd_settalker::kType}, {"talkersize", Cmd_settalker::kType},
    {"talkercolor", Cmd_settalker::kType}, {"talkerposition", Cmd_settalker::kType},
    {"talkermaxwidth", Cmd_settalker::kType}, {"talkermaxheight", Cmd_settalker::kType},
    {"talkercspace", Cmd_settalker::kType}, {"talkerlspace", Cmd_settalker::kType},
    {"talkeralignleft", Cmd_settalker::kType}, {"talkeraligncenter", Cmd_settalker::kType},
    {"talkeralignright", Cmd_settalker::kType},
    {"wait", Cmd_wait::kType},
    {"gosub", Cmd_gosub::kType},
    {"return", Cmd_return::kType},
    {"screen", Cmd_setscreen::kType}, {"window", Cmd_setscreen::kType},
    {"fullscreen", Cmd_setscreen::kType},
    {"skip", Cmd_setskip::kType}, {"skipon", Cmd_setskip::kType}, {"skipoff", Cmd_setskip::kType},
    {"auto", Cmd_setauto::kType}, {"autoon", Cmd_setauto::kType}, {"autooff", Cmd_setauto::kType},
    {"bg", Cmd_setcg::kType}, {"lch", Cmd_setcg::kType}, {"cch", Cmd_setcg::kType},
    {"rch", Cmd_setcg::kType},
    {"update", Cmd_update::kType},
    {"clearbg", Cmd_clearcg::kType}, {"clearlch", Cmd_clearcg::kType},
    {"clearcch", Cmd_clearcg::kType}, {"clearrch", Cmd_clearcg::kType},
    {"bgcolor", Cmd_bgcolor::kType},
    {"showallbutton", Cmd_setbutton::kType}, {"showbutton", Cmd_setbutton::kType},
    {"hideallbutton", Cmd_setbutton::kType}, {"hidebutton", Cmd_setbutton::kType},
    {"enableallbutton", Cmd_setbutton::kType}, {"enablebutton", Cmd_setbutton::kType},
    {"disableallbutton", Cmd_setbutton::kType}, {"disablebutton", Cmd_setbutton::kType},
    {"setbutton", Cmd_setbutton::kType}, {"movebutton", Cmd_setbutton::kType},
    {"buttonimage", Cmd_setbutton::kType}, {"buttonarea", Cmd_setbutton::kType},
    {"buttonaction", Cmd_setbutton::kType}, {"buttonsound", Cmd_setbutton::kType},
    {"showallsprite", Cmd_setsprite::kType}, {"showsprite", Cmd_setsprite::kType},
    {"hideallsprite", Cmd_setsprite::kType}, {"hidesprite", Cmd_setsprite::kType},
    {"setsprite", Cmd_setsprite::kType}, {"movesprite", Cmd_setsprite::kType},
    {"spriteimage", Cmd_setsprite::kType}, {"spritetext", Cmd_setsprite::kType},
    {"lcr", Cmd_chpriority::kType}, {"lrc", Cmd_chpriority::kType}, {"clr", Cmd_chpriority::kType},
    {"crl", Cmd_chpriority::kType}, {"rlc", Cmd_chpriority::kType}, {"rcl", Cmd_chpriority::kType},
    {"sevolume", Cmd_volume::kType}, {"bgmvolume", Cmd_volume::kType},
    {"voicevolume", Cmd_volume::kType},
    {"jump", Cmd_jump::kType},
    {"flash", Cmd_effect::kType}, {"quakex", Cmd_effect::kType}, {"quakey", Cmd_effect::kType},
    {"quakexy", Cmd_effect::kType}, {"fadein", Cmd_effect::kType}, {"fadeout", Cmd_effect::kType},
    {"fadeinu", Cmd_effect::kType}, {"fadeoutu", Cmd_effect::kType}, {"flash2", Cmd_effect::kType},
    {"quakex2", Cmd_effect::kType}, {"quakey2", Cmd_effect::kType}, {"quakexy2", Cmd_effect::kType},
    {"quakex3", Cmd_effect::kType}, {"quakey3", Cmd_effect::kType}, {"quakexy3", Cmd_effect::kType},
    {"flash3", Cmd_effect::kType},
    {"suspend", Cmd_suspend::kType},
    {"callbacklog", Cmd_systemcall::kType}, {"callsave", Cmd_systemcall::kType},
    {"callload", Cmd_systemcall::kType}, {"callconfig", Cmd_systemcall::kType},
    {"callmenu", Cmd_systemcall::kType},
    {"texton", Cmd_textwindow::kType}, {"textoff", Cmd_textwindow::kType},
    {"textwindow", Cmd_textwindow::kType},
    {"loadimage", Cmd_image::kType}, {"unloadimage", Cmd_image::kType},
    {"unloadallimage", Cmd_image::kType},
    {"cleartext", Cmd_cleartext::kType},
    {"menuon", Cmd_menu::kType}, {"menuoff", Cmd_menu::kType}, {"menu", Cmd_menu::kType},
    {"sleep", Cmd_sleep::kType},
    {"charaspace", Cmd_charaspace::kType},
    {"stopallvoice", Cmd_voice::kType}, {"unloadallvoice", Cmd_voice::kType},
    {"playvoice", Cmd_voice::kType}, {"stopvoice", Cmd_voice::kType},
    {"loadvoice", Cmd_voice::kType}, {"unloadvoice", Cmd_voice::kType},
    {"textwindowdraw", Cmd_settextwindow::kType}, {"textwindowimage", Cmd_settextwindow::kType},
    {"textcursorshow", Cmd_settextcursor::kType}, {"textcursornone", Cmd_settextcursor::kType},
    {"textcursorclick", Cmd_settextcursor::kType}, {"textcursorgonext", Cmd_settextcursor::kType},
    {"textcursorbacklog", Cmd_settextcursor::kType},
    {"selecttextfont", Cmd_setselecttext::kType}, {"selecttextsize", Cmd_setselecttext::kType},
    {"selecttextmaxwidth", Cmd_setselecttext::kType},
    {"selecttextmaxheight", Cmd_setselecttext::kType},
    {"selecttextncolor", Cmd_setselecttext::kType}, {"selecttextccolor", Cmd_setselecttext::kType},
    {"selecttexthcolor", Cmd_setselecttext::kType}, {"selecttextcspace", Cmd_setselecttext::kType},
    {"selecttextlspace", Cmd_setselecttext::kType},
    {"selecttextalignleft", Cmd_setselecttext::kType},
    {"selecttextaligncenter", Cmd_setselecttext::kType},
    {"selecttextalignright", Cmd_setselecttext::kType},
    {"selectwindowdraw", Cmd_setselectwindow::kType},
    {"selectwindowimage", Cmd_setselectwindow::kType},
    {"selectwindowunderspace", Cmd_setselectwindow::kType},
    {"selectclickse", Cmd_setselect::kType}, {"selectcursorse", Cmd_setselect::kType},
    {"initialize", Cmd_initialize::kType},
    {"rubyfont", Cmd_setruby::kType}, {"rubysize", Cmd_setruby::kType},
    {"rubycspace", Cmd_setruby::kType}, {"rubyoffset", Cmd_setruby::kType},
    {"waittimeskip", Cmd_waittimeskip::kType},
    {"setfollowingchs", Cmd_kinsoku::kType}, {"addfollowingchs", Cmd_kinsoku::kType},
    {"setfollowingweakchs", Cmd_kinsoku::kType}, {"addfollowingweakchs", Cmd_kinsoku::kType},
    {"setleadingchs", Cmd_kinsoku::kType}, {"addleadingchs", Cmd_kinsoku::kType},
    {"update2", Cmd_update2::kType},
    {"selectl", Cmd_selectl::kType},
    {"selectlclearimage", Cmd_setselectl::kType}, {"selectlimage0", Cmd_setselectl::kType},
    {"selectlimage1", Cmd_setselectl::kType}, {"selectlimage2", Cmd_setselectl::kType},
    {"selectlimage3", Cmd_setselectl::kType},
    {"rand", Cmd_rand::kType},
    {"beginloop", Cmd_loop::kType}, {"endloop", Cmd_loop::kType},
    {"break", Cmd_break::kType},
    {"loadobject", Cmd_loadobject::kType},
    {"gotod", Cmd_gotod::kType},
    {"gosubd", Cmd_gosubd::kType},
    {"forcetexton", Cmd_forcetextwindow::kType}, {"forcetextoff", Cmd_forcetextwindow::kType},
    {"forcetextwindow", Cmd_forcetextwindow::kType},
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
      kKeywords,
      kWendrickDataName,
      WendrickSaveLocalData,
      WendrickLoadLocalData,
      EmptyDataFunc,
      EmptyDataFunc,
  };
  return tables;
}

}  // namespace nsWendrick
