#include "game/core/param_access.h"

#include <utility>

#include "engine/api/plugin_api.h"
#include "game/core/program_objects.h"

namespace nsVesk {
namespace {

std::function<void(const ParamLookup&)>& Recorder() {
  static std::function<void(const ParamLookup&)> recorder;
  return recorder;
}

}  // namespace

std::int32_t GetParamInt(const std::string& file, const std::string& section, const std::string& key,
                         std::int32_t defaultValue) {
  if (Recorder()) Recorder()(ParamLookup{file, section, key, false});
  if (g_ParamManager == nullptr) return defaultValue;
  return g_ParamManager->GetInt(file, section, key, defaultValue);
}

std::string GetParamString(const std::string& file, const std::string& section, const std::string& key,
                           const std::string& defaultValue) {
  if (Recorder()) Recorder()(ParamLookup{file, section, key, true});
  if (g_ParamManager == nullptr) return defaultValue;
  return g_ParamManager->GetString(file, section, key, defaultValue);
}

nsZarn::nsGraphics::Rect GetParamRect(const std::string& file, const std::string& section, const std::string& name) {
  nsZarn::nsGraphics::Rect rect{0, 0, 0, 0};
  rect.left = GetParamInt(file, section, name + "_Left", 0);
  rect.top = GetParamInt(file, section, name + "_Top", 0);
  rect.right = GetParamInt(file, section, name + "_Right", 0);
  rect.bottom = GetParamInt(file, section, name + "_Bottom", 0);
  return rect;
}

std::int32_t GetParamCount(const std::string& file, const std::string& section, const std::string& key,
                           std::int32_t limit) {
  const std::int32_t count = GetParamInt(file, section, key, 0);
  if (count > limit) {
    RuntimeError(nullptr, "%sの[%s] %sは%d以下でなければなりません！（%d）", file.c_str(), section.c_str(), key.c_str(),
                 static_cast<int>(limit), static_cast<int>(count));
  }
  return count;
}

void SetParamLookupRecorderForTest(std::function<void(const ParamLookup&)> recorder) {
  Recorder() = std::move(recorder);
}

}  // namespace nsVesk
