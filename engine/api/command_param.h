#pragma once
// The parse result that a script compiler hands to a new command through
// ICmd_Base::Setup. The engine itself never fills one.

#include <cstdint>

#include "engine/api/mystr.h"
#include "engine/api/token_containers.h"

namespace nsTamskLib {

struct CommandParam {
  std::int32_t Int[10] = {};
  mystr Str[20];
  Expression Expr[30];
};

}  // namespace nsTamskLib
