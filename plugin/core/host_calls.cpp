#include "plugin/core/host_calls.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "engine/api/novel_engine.h"
#include "plugin/core/engine_names.h"
#include "plugin/core/host_api.h"

namespace nsWendrick {
namespace {

constexpr std::size_t kMessageBuffer = nsTamskLib::kMaxFormattedMessage + 1;

}  // namespace

void HostRuntimeError(WindowHandle owner, const char* format, ...) {
  char text[kMessageBuffer];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  const auto report = GetHostApi().As<ReportFunc>(kRuntimeError);
  if (report != nullptr) report(owner, "%s", text);
  // The host's RuntimeError does not return; nor does this without one.
  std::fprintf(stderr, "%s\n", text);
  std::fflush(nullptr);
  std::_Exit(1);
}

void HostRuntimeWarning(WindowHandle owner, const char* format, ...) {
  const auto report = GetHostApi().As<ReportFunc>(kRuntimeWarning);
  if (report == nullptr) return;
  char text[kMessageBuffer];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  report(owner, "%s", text);
}

std::int32_t HostCalcExpression(const Expression& expr,
                                INovelEngine* engine) {
  const auto calc = GetHostApi().As<CalcExpressionFunc>(kCalcExpression);
  if (calc == nullptr) {
    HostRuntimeError(OwnerWindow(engine), "CalcExpressionが存在しません！");
  }
  return calc(expr, engine);
}

WindowHandle OwnerWindow(const INovelEngine* engine) {
  return engine != nullptr ? engine->GetWindowHandle() : nullptr;
}

}  // namespace nsWendrick
