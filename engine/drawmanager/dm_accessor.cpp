#include "engine/drawmanager/dm_accessor.h"

#include "engine/api/novel_engine.h"
#include "engine/api/plugin_api.h"
#include "engine/drawmanager/base_draw_manager.h"

namespace nsTamskLib::nsDrawManager {
namespace {

constinit DMAccessor g_Accessor;

const char* OrEmpty(const char* text) { return text != nullptr ? text : ""; }

}  // namespace

BaseDrawManager& DMAccessor::Manager() const {
  return *static_cast<BaseDrawManager*>(m_Engine->GetDrawManager());
}

void DMAccessor::ApplyBGColor() {
  BaseDrawManager& dm = Manager();
  dm.Clear(dm.GetCurrentBGColor());
}

void DMAccessor::ResetBGColor() {
  BaseDrawManager& dm = Manager();
  dm.SetCurrentBGColor(dm.GetTargetBGColor());
}

std::uint32_t DMAccessor::GetBGColor() { return Manager().GetCurrentBGColor(); }

void DMAccessor::SetBGColor(std::uint32_t color) { Manager().SetCurrentBGColor(color); }

void DMAccessor::Blt0(const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                      TRect src) {
  Manager().CheckedBlt0(mystr(OrEmpty(name)), x, y, alpha, src);
}
void DMAccessor::Blt1(const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                      TRect src) {
  Manager().CheckedBlt1(mystr(OrEmpty(name)), x, y, alpha, src);
}
void DMAccessor::Blt2(const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                      TRect src) {
  Manager().CheckedBlt2(mystr(OrEmpty(name)), x, y, alpha, src);
}
void DMAccessor::Blt4(const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                      TRect src) {
  Manager().CheckedBlt4(mystr(OrEmpty(name)), x, y, alpha, src);
}
void DMAccessor::Blt5(const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                      TRect src) {
  Manager().CheckedBlt5(mystr(OrEmpty(name)), x, y, alpha, src);
}
void DMAccessor::Blt6(const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                      TRect src) {
  Manager().CheckedBlt6(mystr(OrEmpty(name)), x, y, alpha, src);
}

void DMAccessor::DrawText(const char* text, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                          const char* fontFace, std::int32_t size, std::uint32_t color,
                          std::uint8_t flag1, std::uint8_t flag2) {
  Manager().DrawTextChecked(mystr(OrEmpty(text)), x, y, alpha, mystr(OrEmpty(fontFace)), size,
                            color, flag1, flag2);
}

void DMAccessor::DrawTextSectionEx(const TextTokenSection& section, std::int32_t x, std::int32_t y,
                                   std::uint8_t alpha, std::uint32_t color) {
  Manager().DrawTextSectionEx(section, x, y, alpha, color);
}

void DMAccessor::DrawTextSection(const TextTokenSection& section, std::int32_t x, std::int32_t y,
                                 std::uint8_t alpha) {
  Manager().DrawTextSection(section, x, y, alpha);
}

void DMAccessor::FillRect(TRect rect, std::uint32_t color, std::uint8_t alpha) {
  Manager().FillRectChecked(rect, color, alpha);
}

void DMAccessor::FillRectWithBorder(TRect rect, std::uint32_t fill, std::uint8_t alpha,
                                    std::uint32_t borderWidth, std::uint32_t borderColor) {
  Manager().FillRectWithBorder(rect, fill, alpha, borderWidth, borderColor);
}

}  // namespace nsTamskLib::nsDrawManager

extern "C" {

nsTamskLib::nsDrawManager::IDMAccessor* GetDMAccessor(void) {
  return &nsTamskLib::nsDrawManager::g_Accessor;
}

void SetDMAccessor(nsTamskLib::nsCore::INovelEngine* engine) {
  nsTamskLib::nsDrawManager::g_Accessor.Bind(engine);
}

}  // extern "C"
