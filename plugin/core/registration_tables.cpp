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
#include "plugin/effects/screen_effects.h"
#include "plugin/text/local_save_data.h"
#include "plugin/transitions/transition_patterns.h"

namespace nsWendrick {
namespace {

// Types 1 to 57 but 44 (a second value that the text command reports during an
// inline wait). Type 7 (else) has a parser but no factory: its parser makes a jump.
// System input is refused during wait (13), update (20), effect (28), update2 (48)
// and selectl (49).
constexpr CommandTypeEntry kCommandTypes[] = {
    {1, Cmd_if::Create, ParseIf, true},  // if
    {2, Cmd_se::Create, Cmd_se::Parse, true}, // se
    {3, Cmd_bgm::Create, Cmd_bgm::Parse, true}, // bgm
    {4, Cmd_end::Create, ParseEnd, true},  // end
    {5, Cmd_set::Create, ParseSet, true},  // set
    {6, Cmd_calc::Create, ParseCalc, true},  // calc
    {7, nullptr, ParseElse, true},  // else
    {8, Cmd_goto::Create, ParseGoto, true},  // goto
    {9, Cmd_text::Create, Cmd_text::Parse, true},  // text
    {10, Cmd_select::Create, Cmd_select::Parse, true},  // select
    {11, Cmd_settext::Create, Cmd_settext::Parse, true}, // settext
    {12, Cmd_settalker::Create, Cmd_settalker::Parse, true}, // settalker
    {13, Cmd_wait::Create, ParseWait, false},  // wait
    {14, Cmd_gosub::Create, ParseGosub, true},  // gosub
    {15, Cmd_return::Create, ParseReturn, true},  // return
    {16, Cmd_setscreen::Create, Cmd_setscreen::Parse, true}, // setscreen
    {17, Cmd_setskip::Create, Cmd_setskip::Parse, true}, // setskip
    {18, Cmd_setauto::Create, Cmd_setauto::Parse, true}, // setauto
    {19, Cmd_setcg::Create, Cmd_setcg::Parse, true},  // setcg
    {20, CreateCmdUpdate, ParseUpdate, false},  // update
    {21, Cmd_clearcg::Create, Cmd_clearcg::Parse, true},  // clearcg
    {22, Cmd_bgcolor::Create, Cmd_bgcolor::Parse, true},  // bgcolor
    {23, Cmd_setbutton::Create, Cmd_setbutton::Parse, true},  // setbutton
    {24, Cmd_setsprite::Create, Cmd_setsprite::Parse, true},  // setsprite
    {25, Cmd_chpriority::Create, Cmd_chpriority::Parse, true},  // chpriority
    {26, Cmd_volume::Create, Cmd_volume::Parse, true},  // volume
    {27, Cmd_jump::Create, ParseJump, true},  // jump
    {28, Cmd_effect::Create, Cmd_effect::Parse, false},  // effect
    {29, Cmd_suspend::Create, Cmd_suspend::Parse, true},  // suspend
    {30, Cmd_systemcall::Create, Cmd_systemcall::Parse, true},  // systemcall
    {31, Cmd_textwindow::Create, Cmd_textwindow::Parse, true},  // textwindow
    {32, Cmd_image::Create, Cmd_image::Parse, true},  // image
    {33, Cmd_cleartext::Create, Cmd_cleartext::Parse, true},  // cleartext
    {34, Cmd_menu::Create, Cmd_menu::Parse, true},  // menu
    {35, Cmd_sleep::Create, Cmd_sleep::Parse, true},  // sleep
    {36, Cmd_charaspace::Create, Cmd_charaspace::Parse, true},  // charaspace
    {37, Cmd_voice::Create, Cmd_voice::Parse, true},  // voice
    {38, Cmd_settextwindow::Create, Cmd_settextwindow::Parse, true}, // settextwindow
    {39, Cmd_settextcursor::Create, Cmd_settextcursor::Parse, true}, // settextcursor
    {40, Cmd_setselecttext::Create, Cmd_setselecttext::Parse, true}, // setselecttext
    {41, Cmd_setselectwindow::Create, Cmd_setselectwindow::Parse, true}, // setselectwindow
    {42, Cmd_setselect::Create, Cmd_setselect::Parse, true}, // setselect
    {43, Cmd_initialize::Create, Cmd_initialize::Parse, true}, // initialize
    {45, Cmd_setruby::Create, Cmd_setruby::Parse, true}, // setruby
    {46, Cmd_waittimeskip::Create, Cmd_waittimeskip::Parse, true}, // waittimeskip
    {47, Cmd_kinsoku::Create, Cmd_kinsoku::Parse, true}, // kinsoku
    {48, CreateCmdUpdate2, ParseUpdate2, false},  // update2
    {49, Cmd_selectl::Create, Cmd_selectl::Parse, false},  // selectl
    {50, Cmd_setselectl::Create, Cmd_setselectl::Parse, true},  // setselectl
    {51, Cmd_rand::Create, ParseRand, true},  // rand
    {52, Cmd_loop::Create, ParseLoop, true},  // loop
    {53, Cmd_break::Create, ParseBreak, true},  // break
    {54, Cmd_loadobject::Create, ParseLoadObject, true},  // loadobject
    {55, Cmd_gotod::Create, ParseGotod, true},  // gotod
    {56, Cmd_gosubd::Create, ParseGosubd, true},  // gosubd
    {57, Cmd_forcetextwindow::Create, Cmd_forcetextwindow::Parse, true}, // forcetextwindow
};

constexpr KeywordEntry kKeywords[] = {
    {"if", 1},
    {"stopallse", 2}, {"unloadallse", 2}, {"playse", 2}, {"stopse", 2}, {"loadse", 2},
    {"unloadse", 2},
    {"playbgm", 3}, {"stopbgm", 3}, {"playoncebgm", 3},
    {"end", 4},
    {"local", 5}, {"global", 5}, {"button", 5}, {"sprite", 5},
    {"calc", 6},
    {"else", 7},
    {"goto", 8},
    {"text", 9},
    {"select", 10},
    {"textfont", 11}, {"textsize", 11}, {"textcolor", 11}, {"textspeed", 11},
    {"textposition", 11}, {"textmaxwidth", 11}, {"textmaxheight", 11}, {"textcspace", 11},
    {"textlspace", 11}, {"textalignleft", 11}, {"textaligncenter", 11}, {"textalignright", 11},
    {"talkerfont", 12}, {"talkersize", 12}, {"talkercolor", 12}, {"talkerposition", 12},
    {"talkermaxwidth", 12}, {"talkermaxheight", 12}, {"talkercspace", 12}, {"talkerlspace", 12},
    {"talkeralignleft", 12}, {"talkeraligncenter", 12}, {"talkeralignright", 12},
    {"wait", 13},
    {"gosub", 14},
    {"return", 15},
    {"screen", 16}, {"window", 16}, {"fullscreen", 16},
    {"skip", 17}, {"skipon", 17}, {"skipoff", 17},
    {"auto", 18}, {"autoon", 18}, {"autooff", 18},
    {"bg", 19}, {"lch", 19}, {"cch", 19}, {"rch", 19},
    {"update", 20},
    {"clearbg", 21}, {"clearlch", 21}, {"clearcch", 21}, {"clearrch", 21},
    {"bgcolor", 22},
    {"showallbutton", 23}, {"showbutton", 23}, {"hideallbutton", 23}, {"hidebutton", 23},
    {"enableallbutton", 23}, {"enablebutton", 23}, {"disableallbutton", 23},
    {"disablebutton", 23}, {"setbutton", 23}, {"movebutton", 23}, {"buttonimage", 23},
    {"buttonarea", 23}, {"buttonaction", 23}, {"buttonsound", 23},
    {"showallsprite", 24}, {"showsprite", 24}, {"hideallsprite", 24}, {"hidesprite", 24},
    {"setsprite", 24}, {"movesprite", 24}, {"spriteimage", 24}, {"spritetext", 24},
    {"lcr", 25}, {"lrc", 25}, {"clr", 25}, {"crl", 25}, {"rlc", 25}, {"rcl", 25},
    {"sevolume", 26}, {"bgmvolume", 26}, {"voicevolume", 26},
    {"jump", 27},
    {"flash", 28}, {"quakex", 28}, {"quakey", 28}, {"quakexy", 28}, {"fadein", 28},
    {"fadeout", 28}, {"fadeinu", 28}, {"fadeoutu", 28}, {"flash2", 28}, {"quakex2", 28},
    {"quakey2", 28}, {"quakexy2", 28}, {"quakex3", 28}, {"quakey3", 28}, {"quakexy3", 28},
    {"flash3", 28},
    {"suspend", 29},
    {"callbacklog", 30}, {"callsave", 30}, {"callload", 30}, {"callconfig", 30}, {"callmenu", 30},
    {"texton", 31}, {"textoff", 31}, {"textwindow", 31},
    {"loadimage", 32}, {"unloadimage", 32}, {"unloadallimage", 32},
    {"cleartext", 33},
    {"menuon", 34}, {"menuoff", 34}, {"menu", 34},
    {"sleep", 35},
    {"charaspace", 36},
    {"stopallvoice", 37}, {"unloadallvoice", 37}, {"playvoice", 37}, {"stopvoice", 37},
    {"loadvoice", 37}, {"unloadvoice", 37},
    {"textwindowdraw", 38}, {"textwindowimage", 38},
    {"textcursorshow", 39}, {"textcursornone", 39}, {"textcursorclick", 39},
    {"textcursorgonext", 39}, {"textcursorbacklog", 39},
    {"selecttextfont", 40}, {"selecttextsize", 40}, {"selecttextmaxwidth", 40},
    {"selecttextmaxheight", 40}, {"selecttextncolor", 40}, {"selecttextccolor", 40},
    {"selecttexthcolor", 40}, {"selecttextcspace", 40}, {"selecttextlspace", 40},
    {"selecttextalignleft", 40}, {"selecttextaligncenter", 40}, {"selecttextalignright", 40},
    {"selectwindowdraw", 41}, {"selectwindowimage", 41}, {"selectwindowunderspace", 41},
    {"selectclickse", 42}, {"selectcursorse", 42},
    {"initialize", 43},
    {"rubyfont", 45}, {"rubysize", 45}, {"rubycspace", 45}, {"rubyoffset", 45},
    {"waittimeskip", 46},
    {"setfollowingchs", 47}, {"addfollowingchs", 47}, {"setfollowingweakchs", 47},
    {"addfollowingweakchs", 47}, {"setleadingchs", 47}, {"addleadingchs", 47},
    {"update2", 48},
    {"selectl", 49},
    {"selectlclearimage", 50}, {"selectlimage0", 50}, {"selectlimage1", 50},
    {"selectlimage2", 50}, {"selectlimage3", 50},
    {"rand", 51},
    {"beginloop", 52}, {"endloop", 52},
    {"break", 53},
    {"loadobject", 54},
    {"gotod", 55},
    {"gosubd", 56},
    {"forcetexton", 57}, {"forcetextoff", 57}, {"forcetextwindow", 57},
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

// Effect numbers 1-16 in each stage. An effect runs in the stage that has its real
// function and does nothing in the other two; the shakes run before drawing, the
// flashes and fades after the text window.
constexpr NumberedFunction kEffectsBeforeDraw[] = {
    {1, EmptyEffect},      {2, EffectQuakeX},     {3, EffectQuakeY},    {4, EffectQuakeXY},
    {5, EmptyEffect},      {6, EmptyEffect},      {7, EmptyEffect},     {8, EmptyEffect},
    {9, EmptyEffect},      {10, EffectQuakeX2},   {11, EffectQuakeY2},  {12, EffectQuakeXY2},
    {13, EffectQuakeX3},   {14, EffectQuakeY3},   {15, EffectQuakeXY3}, {16, EmptyEffect},
};

constexpr NumberedFunction kEffectsAfterDraw[] = {
    {1, EmptyEffect},  {2, EmptyEffect},  {3, EmptyEffect},  {4, EmptyEffect},
    {5, EmptyEffect},  {6, EmptyEffect},  {7, EmptyEffect},  {8, EmptyEffect},
    {9, EmptyEffect},  {10, EmptyEffect}, {11, EmptyEffect}, {12, EmptyEffect},
    {13, EmptyEffect}, {14, EmptyEffect}, {15, EmptyEffect}, {16, EmptyEffect},
};

constexpr NumberedFunction kEffectsAfterTextWindow[] = {
    {1, EffectFlash},      {2, EmptyEffect},      {3, EmptyEffect},     {4, EmptyEffect},
    {5, EffectFadeIn},     {6, EffectFadeOut},    {7, EffectFadeInU},   {8, EffectFadeOutU},
    {9, EffectFlash2},     {10, EmptyEffect},     {11, EmptyEffect},    {12, EmptyEffect},
    {13, EmptyEffect},     {14, EmptyEffect},     {15, EmptyEffect},    {16, EffectFlash3},
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
