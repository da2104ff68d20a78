// CalcExpression: the one evaluator of script expressions, a stack machine over the
// postfix tokens that the plug-in's parser builds. Arithmetic is on 32-bit signed
// integers with wrap-around and never traps: the sums, differences, products and
// negations wrap, INT_MIN / -1 is INT_MIN and INT_MIN % -1 is 0.

#include <climits>
#include <cstdint>

#include "engine/api/heaps.h"
#include "engine/api/novel_engine.h"
#include "engine/api/plugin_api.h"
#include "engine/api/token_containers.h"

namespace nsTamskLib::nsCore {
namespace {

enum OperatorCode : std::int32_t {
  kOpNone = 0,
  kOpAdd = 1,
  kOpNegate = 2,
  kOpSubtract = 3,
  kOpDivide = 4,
  kOpMultiply = 5,
  kOpRemainder = 6,
  kOpBitOr = 7,
  kOpBitAnd = 8,
  kOpBitXor = 9,
  kOpBitNot = 10,
  kOpLogicalNot = 11,
  kOpLogicalOr = 14,
  kOpLogicalAnd = 15,
  kOpEqual = 16,
  kOpGreater = 17,
  kOpLess = 18,
  kOpNotEqual = 19,
  kOpGreaterEqual = 20,
  kOpLessEqual = 21,
};

std::int32_t Wrap(std::uint32_t value) { return static_cast<std::int32_t>(value); }
std::uint32_t Bits(std::int32_t value) { return static_cast<std::uint32_t>(value); }

bool IsUnary(std::int32_t code) {
  return code == kOpNegate || code == kOpBitNot || code == kOpLogicalNot;
}

bool IsBinary(std::int32_t code) {
  return code == kOpAdd || code == kOpSubtract || (code >= kOpDivide && code <= kOpBitXor) ||
         (code >= kOpLogicalOr && code <= kOpLessEqual);
}

std::int32_t ApplyUnary(std::int32_t code, std::int32_t r) {
  switch (code) {
    case kOpNegate:
      return Wrap(0u - Bits(r));
    case kOpBitNot:
      return ~r;
    default:  // kOpLogicalNot
      return r == 0 ? 1 : 0;
  }
}

std::int32_t ApplyBinary(std::int32_t code, std::int32_t l, std::int32_t r, WindowHandle owner) {
  switch (code) {
    case kOpAdd:
      return Wrap(Bits(l) + Bits(r));
    case kOpSubtract:
      return Wrap(Bits(l) - Bits(r));
    case kOpMultiply:
      return Wrap(Bits(l) * Bits(r));
    case kOpDivide:
      if (r == 0) RuntimeError(owner, "0除算です！");
      if (l == INT32_MIN && r == -1) return INT32_MIN;
      return l / r;
    case kOpRemainder:
      if (r == 0) RuntimeError(owner, "0除算です！");
      if (r == -1) return 0;
      return l % r;
    case kOpBitOr:
      return l | r;
    case kOpBitAnd:
      return l & r;
    case kOpBitXor:
      return l ^ r;
    case kOpLogicalOr:
      return (l != 0 || r != 0) ? 1 : 0;
    case kOpLogicalAnd:
      return (l != 0 && r != 0) ? 1 : 0;
    case kOpEqual:
      return l == r ? 1 : 0;
    case kOpGreater:
      return l > r ? 1 : 0;
    case kOpLess:
      return l < r ? 1 : 0;
    case kOpNotEqual:
      return l != r ? 1 : 0;
    case kOpGreaterEqual:
      return l >= r ? 1 : 0;
    default:  // kOpLessEqual
      return l <= r ? 1 : 0;
  }
}

// A local variable hides a global one of the same name.
std::int32_t LookUpSymbol(const mystr& name, INovelEngine* engine, WindowHandle owner) {
  if (engine != nullptr) {
    const nsSimulatedHeap::ISingleHeap* locals = engine->GetLocalHeap();
    if (locals->Exists(name.c_str())) return locals->Get(name.c_str());
    const nsSimulatedHeap::ISingleHeap* globals = engine->GetGlobalHeap();
    if (globals->Exists(name.c_str())) return globals->Get(name.c_str());
  }
  RuntimeError(owner, "%sは計算不可能なシンボルか存在しません！", name.c_str());
}

}  // namespace
}  // namespace nsTamskLib::nsCore

extern "C" int CalcExpression(const nsTamskLib::Expression& expr,
                              nsTamskLib::nsCore::INovelEngine* engine) {
  using namespace nsTamskLib;
  using namespace nsTamskLib::nsCore;
  const WindowHandle owner = engine != nullptr ? engine->GetWindowHandle() : nullptr;

  Expression stack;
  ExpressionToken result;
  result.Type = kTokenNumber;
  for (std::uint32_t i = 0; i < expr.size(); ++i) {
    const ExpressionToken& token = expr.at(i);
    switch (token.Type) {
      case kTokenNumber:
        stack.push_back(token);
        break;
      case kTokenOperator: {
        const std::int32_t code = token.SubType;
        if (code == kOpNone) break;
        // Operands are read with the stack's own checks, so too few of them end with
        // "Expression::at(unsigned int Num)". L is the earlier operand.
        if (IsUnary(code)) {
          const std::int32_t r = stack.at(stack.size() - 1).Value;
          stack.pop_back();
          result.Value = ApplyUnary(code, r);
        } else if (IsBinary(code)) {
          const std::int32_t l = stack.at(stack.size() - 2).Value;
          const std::int32_t r = stack.at(stack.size() - 1).Value;
          stack.pop_back();
          stack.pop_back();
          result.Value = ApplyBinary(code, l, r, owner);
        } else {
          RuntimeError(owner, "存在しない演算子です！（SubType = %d）", code);
        }
        stack.push_back(result);
        break;
      }
      case kTokenSymbol:
        result.Value = LookUpSymbol(token.Name, engine, owner);
        stack.push_back(result);
        break;
      default:
        RuntimeError(owner, "不正なトークンです！（Type = %d）", token.Type);
    }
  }
  if (stack.size() != 1) RuntimeError(owner, "不正な式です！");
  return stack.at(0).Value;
}
