#include "game/core/param_access.h"

#include "game/core/program_objects.h"

namespace nsVesk {

std::int32_t GetParamInt(const std::string& file, const std::string& section, const std::string& key,
                         std::int32_t defaultValue) {
  if (g_ParamManager == nullptr) return defaultValue;
  return g_ParamManager->GetInt(file, section, key, defaultValue);
}

std::string GetParamString(const std::string& file, const std::string& section, const std::string& key,
                           const std::string& defaultValue) {
  if (g_ParamManager == nullptr) return defaultValue;
  return g_ParamManager->GetString(file, section, key, defaultValue);
}

}  // namespace nsVesk
