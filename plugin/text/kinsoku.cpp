#include "plugin/text/kinsoku.h"

#include "engine/api/io_stream.h"
#include "plugin/core/engine_names.h"
#include "plugin/core/stream_fields.h"

namespace nsWendrick {

const char* const kDefaultLeadingChs = "\\$([{｢‘“（〔［｛〈《「『【￥＄￡";
const char* const kDefaultFollowingChs =
    "%),:;]}｡｣ﾞﾟ。，、．：；゛゜ヽヾゝゞ々’”）〕］｝〉》」』】°′″℃￠％‰";
const char* const kDefaultFollowingWeakChs =
    "!.?､･ｧｨｩｪｫｬｭｮｯｰ・？！ーぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ";

void KinsokuSet::Add(const char* text) {
  if (text == nullptr) return;
  for (const char* p = text; *p != '\0';) {
    std::size_t length = 0;
    const std::int32_t code = CharacterCodeAt(p, &length);
    // A lead byte as the last byte is no character: the walk ends at the terminator.
    if (length == 0) break;
    m_Chars.emplace(code, std::string(p, length));
    p += length;
  }
}

void KinsokuSet::Set(const char* text) {
  Clear();
  Add(text);
}

void KinsokuSet::Save(IIOStream* stream) const {
  SaveBlockInt(stream, static_cast<std::int32_t>(m_Chars.size()));
  for (const auto& [code, chars] : m_Chars) {
    SaveBlockInt(stream, code);
    SaveStringField(stream, chars);
  }
}

void KinsokuSet::Load(IIOStream* stream) {
  Clear();
  const std::int32_t count = LoadBlockInt(stream);
  for (std::int32_t i = 0; i < count; ++i) {
    // A damaged count must not keep reading past the end of the file.
    if (stream->HasReadFailed()) break;
    const std::int32_t code = LoadBlockInt(stream);
    std::string chars = LoadStringField(stream);
    if (stream->HasReadFailed()) break;
    m_Chars.emplace(code, std::move(chars));
  }
}

KinsokuSet& LeadingChs() {
  static KinsokuSet set;
  return set;
}

KinsokuSet& FollowingChs() {
  static KinsokuSet set;
  return set;
}

KinsokuSet& FollowingWeakChs() {
  static KinsokuSet set;
  return set;
}

void AddLeadingChs(const char* text) { LeadingChs().Add(text); }
void AddFollowingChs(const char* text) { FollowingChs().Add(text); }

void AddFollowingWeakChs(const char* text) {
  FollowingChs().Add(text);
  FollowingWeakChs().Add(text);
}

void SetLeadingChs(const char* text) { LeadingChs().Set(text); }
void SetFollowingChs(const char* text) { FollowingChs().Set(text); }

void SetFollowingWeakChs(const char* text) {
  FollowingChs().Add(text);
  FollowingWeakChs().Set(text);
}

bool IsLeadingCh(std::int32_t code) { return LeadingChs().Contains(code); }
bool IsFollowingCh(std::int32_t code) { return FollowingChs().Contains(code); }
bool IsFollowingWeakCh(std::int32_t code) { return FollowingWeakChs().Contains(code); }

void SaveLeadingChs(IIOStream* stream) { LeadingChs().Save(stream); }
void SaveFollowingChs(IIOStream* stream) { FollowingChs().Save(stream); }
void SaveFollowingWeakChs(IIOStream* stream) {
  FollowingWeakChs().Save(stream);
}
void LoadLeadingChs(IIOStream* stream) { LeadingChs().Load(stream); }
void LoadFollowingChs(IIOStream* stream) { FollowingChs().Load(stream); }
void LoadFollowingWeakChs(IIOStream* stream) {
  FollowingWeakChs().Load(stream);
}

void InstallDefaultKinsokuSets() {
  SetLeadingChs(kDefaultLeadingChs);
  SetFollowingChs(kDefaultFollowingChs);
  SetFollowingWeakChs(kDefaultFollowingWeakChs);
}

}  // namespace nsWendrick
