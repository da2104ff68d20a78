#pragma once
// DMAccessor: the plug-in's view of the draw manager, for the transitions and
// effects that change the background colour and draw outside the task list. One
// instance exists for the process (GetDMAccessor); SetDMAccessor binds it to an
// engine, and every operation works on that engine's draw manager, fetched anew at
// each call. The drawing goes through the manager's guarded helpers, so an empty
// name or text, alpha 0 or an invalid rectangle draws nothing.

#include <cstdint>

#include "engine/api/draw_manager.h"
#include "engine/api/fwd.h"

namespace nsTamskLib::nsDrawManager {

class BaseDrawManager;

class DMAccessor final : public IDMAccessor {
 public:
  constexpr DMAccessor() = default;
  DMAccessor(const DMAccessor&) = delete;
  DMAccessor& operator=(const DMAccessor&) = delete;
  ~DMAccessor() override = default;

  void Bind(nsCore::INovelEngine* engine) { m_Engine = engine; }
  nsCore::INovelEngine* GetEngine() const { return m_Engine; }

  void ApplyBGColor() override;
  void ResetBGColor() override;
  std::uint32_t GetBGColor() override;
  void SetBGColor(std::uint32_t color) override;
  void Blt0(const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
            TRect src) override;
  void Blt1(const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
            TRect src) override;
  void Blt2(const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
            TRect src) override;
  void Blt4(const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
            TRect src) override;
  void Blt5(const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
            TRect src) override;
  void Blt6(const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
            TRect src) override;
  void DrawText(const char* text, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                const char* fontFace, std::int32_t size, std::uint32_t color, std::uint8_t flag1,
                std::uint8_t flag2) override;
  void DrawTextSectionEx(const TextTokenSection& section, std::int32_t x, std::int32_t y,
                         std::uint8_t alpha, std::uint32_t color) override;
  void DrawTextSection(const TextTokenSection& section, std::int32_t x, std::int32_t y,
                       std::uint8_t alpha) override;
  void FillRect(TRect rect, std::uint32_t color, std::uint8_t alpha) override;
  void FillRectWithBorder(TRect rect, std::uint32_t fill, std::uint8_t alpha,
                          std::uint32_t borderWidth, std::uint32_t borderColor) override;

 private:
  // Every draw manager derives from BaseDrawManager, whose guarded helpers the
  // operations use.
  BaseDrawManager& Manager() const;

  nsCore::INovelEngine* m_Engine = nullptr;
};

}  // namespace nsTamskLib::nsDrawManager
