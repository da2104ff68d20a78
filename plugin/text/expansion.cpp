#include "plugin/text/expansion.h"

#include "engine/api/heaps.h"
#include "engine/api/novel_engine.h"
#include "plugin/core/engine_names.h"
#include "plugin/text/sjis.h"

namespace nsWendrick {
namespace {

const std::string kBackslash = "\\";
const std::string kProtectedBackslash = "\x01";
const std::string kMarker = "\x03";

void SubstituteVariables(std::string& text, const std::vector<std::string>& names,
                         const nsTamskLib::nsSimulatedHeap::ISingleHeap* heap) {
  if (heap == nullptr) return;
  for (const std::string& name : names) {
    if (!heap->Exists(name.c_str())) continue;
    ReplaceAllCharacters(text, kBackslash + name + kBackslash, IntToString(heap->Get(name.c_str())));
  }
}

}  // namespace

std::vector<std::string>& LocalVariableNames() {
  static std::vector<std::string> names;
  return names;
}

std::vector<std::string>& GlobalVariableNames() {
  static std::vector<std::string> names;
  return names;
}

void ReplaceAll(std::string& target, const std::string& pattern, const std::string& replacement) {
  if (pattern.empty()) return;
  std::size_t pos = 0;
  while ((pos = target.find(pattern, pos)) != std::string::npos) {
    target.replace(pos, pattern.size(), replacement);
    pos += replacement.size();
  }
}

void ReplaceAllCharacters(std::string& target, const std::string& pattern,
                          const std::string& replacement) {
  if (pattern.empty()) return;
  std::size_t pos = 0;
  while (pos < target.size()) {
    if (target.compare(pos, pattern.size(), pattern) == 0) {
      target.replace(pos, pattern.size(), replacement);
      pos += replacement.size();
      continue;
    }
    const bool twoBytes =
        IsSjisLeadByte(static_cast<unsigned char>(target[pos])) && pos + 1 < target.size();
    pos += twoBytes ? 2 : 1;
  }
}

std::string IntToString(std::int32_t value) { return std::to_string(value); }

std::string ExpandVariables(const std::string& source, INovelEngine* engine) {
  std::string text = source;
  ReplaceAllCharacters(text, "\\\\", kProtectedBackslash);
  if (engine != nullptr) {
    SubstituteVariables(text, LocalVariableNames(), engine->GetLocalHeap());
    SubstituteVariables(text, GlobalVariableNames(), engine->GetGlobalHeap());
  }
  ReplaceAllCharacters(text, "\\\"", "\"");
  ReplaceAllCharacters(text, "\\n", "\n");
  ReplaceAllCharacters(text, "\\<", kMarker);
  ReplaceAllCharacters(text, "<", std::string(1, kTagOpen));
  ReplaceAllCharacters(text, kMarker, "<");
  ReplaceAllCharacters(text, "\\>", kMarker);
  ReplaceAllCharacters(text, ">", std::string(1, kTagClose));
  ReplaceAllCharacters(text, kMarker, ">");
  ReplaceAllCharacters(text, kProtectedBackslash, kBackslash);
  ReplaceAllCharacters(text, "\t", "");
  return text;
}

}  // namespace nsWendrick
