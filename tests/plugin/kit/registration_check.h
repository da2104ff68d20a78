#pragma once
// The check of a command registration table, and the facts of the plug-in's
// registration that are fixed, in one place. A new command type adds its line to
// kFixedCommandTypes; every count the tests compare is taken from that list.

#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "plugin/entry/registration.h"

namespace vesk_test {

// A command type the plug-in registers: how many keywords it has and whether the
// player's system input is allowed while a command of the type is current.
struct FixedCommandType {
  std::uint32_t type;
  std::size_t keywords;
  bool systemInput;
};

// Every type, in ascending order; 44 is not registered.
inline constexpr FixedCommandType kFixedCommandTypes[] = {
    {1, 1, true},    // if
    {2, 6, true},    // se
    {3, 3, true},    // bgm
    {4, 1, true},    // end
    {5, 4, true},    // set
    {6, 1, true},    // calc
    {7, 1, true},    // else
    {8, 1, true},    // goto
    {9, 1, true},    // text
    {10, 1, true},   // select
    {11, 12, true},  // settext
    {12, 11, true},  // settalker
    {13, 1, false},  // wait
    {14, 1, true},   // gosub
    {15, 1, true},   // return
    {16, 3, true},   // setscreen
    {17, 3, true},   // setskip
    {18, 3, true},   // setauto
    {19, 4, true},   // setcg
    {20, 1, false},  // update
    {21, 4, true},   // clearcg
    {22, 1, true},   // bgcolor
    {23, 14, true},  // setbutton
    {24, 8, true},   // setsprite
    {25, 6, true},   // chpriority
    {26, 3, true},   // volume
    {27, 1, true},   // jump
    {28, 16, false}, // effect
    {29, 1, true},   // suspend
    {30, 5, true},   // systemcall
    {31, 3, true},   // textwindow
    {32, 3, true},   // image
    {33, 1, true},   // cleartext
    {34, 3, true},   // menu
    {35, 1, true},   // sleep
    {36, 1, true},   // charaspace
    {37, 6, true},   // voice
    {38, 2, true},   // settextwindow
    {39, 5, true},   // settextcursor
    {40, 12, true},  // setselecttext
    {41, 3, true},   // setselectwindow
    {42, 2, true},   // setselect
    {43, 1, true},   // initialize
    {45, 4, true},   // setruby
    {46, 1, true},   // waittimeskip
    {47, 6, true},   // kinsoku
    {48, 1, false},  // update2
    {49, 1, false},  // selectl
    {50, 5, true},   // setselectl
    {51, 1, true},   // rand
    {52, 2, true},   // loop
    {53, 1, true},   // break
    {54, 1, true},   // loadobject
    {55, 1, true},   // gotod
    {56, 1, true},   // gosubd
    {57, 3, true},   // forcetextwindow
};
// "else": a parser and a keyword, but no factory (its parser makes a jump).
inline constexpr std::uint32_t kParserOnlyType = 7;
// The id the text command reports during an inline wait: never registered, and so
// never a type that allows system input.
inline constexpr std::uint32_t kUnregisteredType = 44;

// The number of keywords of all the fixed types.
std::size_t FixedKeywordCount();
// The fixed types that allow system input, in ascending order.
std::vector<std::uint32_t> FixedSystemInputTypes();

// What is wrong with a command table, one line each; empty for a sound one. Each
// row's factory makes a command of the row's type (only kParserOnlyType has none),
// each row has a parser, its keywords are non-empty and on no other row, and the
// host's keyword registry (keyword to type) has each under the row's type.
std::vector<std::string> CommandTableFaults(std::span<const nsWendrick::CommandTypeEntry> rows,
                                            const std::map<std::string, unsigned>& hostKeywords);

}  // namespace vesk_test
