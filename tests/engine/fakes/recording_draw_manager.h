#pragma once
// RecordingDrawManager: a draw manager whose back end draws nothing. Every
// back-end call is appended to a log, one line per call with its arguments:
//   "GetScreenWidth()", "IsFullScreen()", "SetFullScreen(1)", "Present()",
//   "LoadImage(a.png)", "ReleaseImage(a.png)", "Clear(0x00000000)",
//   "Blt0(a.png,10,20,255,{0,0,32,32})" (Blt1 ... Blt6 alike),
//   "DrawText(abc,35,470,255,face,25,0x00FFFFFF,0,0)",
//   "FillRect({25,425,775,575},0x00000000,255)".
// The screen size and mode are fields; the loaded images are tracked by name, and
// loading or releasing can be made to fail for a name. Header-only, so any engine
// test can use it.

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "engine/drawmanager/base_draw_manager.h"

namespace vesk_test {

class RecordingDrawManager : public nsTamskLib::nsDrawManager::BaseDrawManager {
 public:
  RecordingDrawManager() = default;

  std::vector<std::string> log;
  std::int32_t screenWidth = 800;
  std::int32_t screenHeight = 600;
  bool fullScreen = false;
  std::set<std::string> loaded;
  std::set<std::string> failLoad;
  std::set<std::string> failRelease;

  // Forgets the calls logged so far.
  void ClearLog() { log.clear(); }
  // The logged calls whose text starts with prefix, in order.
  std::vector<std::string> Calls(const std::string& prefix) const;
  // The logged calls that put pixels on the screen (Clear, the blits, DrawText,
  // FillRect), in order.
  std::vector<std::string> Draws() const;

  std::int32_t GetScreenWidth() override;
  std::int32_t GetScreenHeight() override;
  bool IsFullScreen() override;
  void SetFullScreen(bool fullScreen) override;
  void Present() override;
  bool LoadImage(const char* name) override;
  bool ReleaseImage(const char* name) override;
  void Clear(std::uint32_t color) override;
  void Blt0(const nsTamskLib::mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
            nsTamskLib::TRect src) override;
  void Blt1(const nsTamskLib::mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
            nsTamskLib::TRect src) override;
  void Blt2(const nsTamskLib::mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
            nsTamskLib::TRect src) override;
  void Blt4(const nsTamskLib::mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
            nsTamskLib::TRect src) override;
  void Blt5(const nsTamskLib::mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
            nsTamskLib::TRect src) override;
  void Blt6(const nsTamskLib::mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
            nsTamskLib::TRect src) override;
  void DrawText(const nsTamskLib::mystr& text, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                const nsTamskLib::mystr& fontFace, std::int32_t size, std::uint32_t color,
                std::uint8_t flag1, std::uint8_t flag2) override;
  void FillRect(nsTamskLib::TRect rect, std::uint32_t color, std::uint8_t alpha) override;

 private:
  void RecordBlt(int method, const nsTamskLib::mystr& name, std::int32_t x, std::int32_t y,
                 std::uint8_t alpha, nsTamskLib::TRect src);
};

namespace recording_draw_detail {

inline std::string ColorText(std::uint32_t color) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", color);
  return text;
}

inline bool StartsWith(const std::string& text, const char* prefix) {
  return text.rfind(prefix, 0) == 0;
}

inline void AppendPart(std::string& out, const std::string& part) { out.append(part); }
inline void AppendPart(std::string& out, const char* part) { out.append(part); }
inline void AppendPart(std::string& out, std::int64_t number) {
  out.append(std::to_string(number));
}

// "op(part,part,...)", built by appending.
template <typename... Parts>
std::string Call(const char* op, const Parts&... parts) {
  std::string out(op);
  out.push_back('(');
  bool first = true;
  ((out.append(first ? "" : ","), first = false, AppendPart(out, parts)), ...);
  out.push_back(')');
  return out;
}

}  // namespace recording_draw_detail

// "{left,top,right,bottom}", the form the log uses.
inline std::string RectText(const nsTamskLib::TRect& rect) {
  std::string text = "{";
  text.append(std::to_string(rect.left)).append(",").append(std::to_string(rect.top));
  text.append(",").append(std::to_string(rect.right)).append(",");
  text.append(std::to_string(rect.bottom)).append("}");
  return text;
}

inline std::vector<std::string> RecordingDrawManager::Calls(const std::string& prefix) const {
  std::vector<std::string> calls;
  for (const std::string& entry : log) {
    if (entry.compare(0, prefix.size(), prefix) == 0) calls.push_back(entry);
  }
  return calls;
}

inline std::vector<std::string> RecordingDrawManager::Draws() const {
  std::vector<std::string> draws;
  for (const std::string& entry : log) {
    if (recording_draw_detail::StartsWith(entry, "Clear(") ||
        recording_draw_detail::StartsWith(entry, "Blt") ||
        recording_draw_detail::StartsWith(entry, "DrawText(") ||
        recording_draw_detail::StartsWith(entry, "FillRect(")) {
      draws.push_back(entry);
    }
  }
  return draws;
}

inline std::int32_t RecordingDrawManager::GetScreenWidth() {
  log.emplace_back("GetScreenWidth()");
  return screenWidth;
}

inline std::int32_t RecordingDrawManager::GetScreenHeight() {
  log.emplace_back("GetScreenHeight()");
  return screenHeight;
}

inline bool RecordingDrawManager::IsFullScreen() {
  log.emplace_back("IsFullScreen()");
  return fullScreen;
}

inline void RecordingDrawManager::SetFullScreen(bool full) {
  log.push_back(recording_draw_detail::Call("SetFullScreen", full ? "1" : "0"));
  fullScreen = full;
}

inline void RecordingDrawManager::Present() { log.emplace_back("Present()"); }

inline bool RecordingDrawManager::LoadImage(const char* name) {
  log.push_back(recording_draw_detail::Call("LoadImage", name));
  // A real back end cannot load an image it already holds.
  if (failLoad.count(name) != 0 || loaded.count(name) != 0) return false;
  loaded.insert(name);
  return true;
}

inline bool RecordingDrawManager::ReleaseImage(const char* name) {
  log.push_back(recording_draw_detail::Call("ReleaseImage", name));
  if (failRelease.count(name) != 0 || loaded.count(name) == 0) return false;
  loaded.erase(name);
  return true;
}

inline void RecordingDrawManager::Clear(std::uint32_t color) {
  log.push_back(recording_draw_detail::Call("Clear", recording_draw_detail::ColorText(color)));
}

inline void RecordingDrawManager::RecordBlt(int method, const nsTamskLib::mystr& name,
                                            std::int32_t x, std::int32_t y, std::uint8_t alpha,
                                            nsTamskLib::TRect src) {
  std::string op = "Blt";
  op.append(std::to_string(method));
  log.push_back(recording_draw_detail::Call(op.c_str(), name.c_str(), std::int64_t{x},
                                            std::int64_t{y}, std::int64_t{alpha}, RectText(src)));
}

inline void RecordingDrawManager::Blt0(const nsTamskLib::mystr& name, std::int32_t x,
                                       std::int32_t y, std::uint8_t alpha, nsTamskLib::TRect src) {
  RecordBlt(0, name, x, y, alpha, src);
}
inline void RecordingDrawManager::Blt1(const nsTamskLib::mystr& name, std::int32_t x,
                                       std::int32_t y, std::uint8_t alpha, nsTamskLib::TRect src) {
  RecordBlt(1, name, x, y, alpha, src);
}
inline void RecordingDrawManager::Blt2(const nsTamskLib::mystr& name, std::int32_t x,
                                       std::int32_t y, std::uint8_t alpha, nsTamskLib::TRect src) {
  RecordBlt(2, name, x, y, alpha, src);
}
inline void RecordingDrawManager::Blt4(const nsTamskLib::mystr& name, std::int32_t x,
                                       std::int32_t y, std::uint8_t alpha, nsTamskLib::TRect src) {
  RecordBlt(4, name, x, y, alpha, src);
}
inline void RecordingDrawManager::Blt5(const nsTamskLib::mystr& name, std::int32_t x,
                                       std::int32_t y, std::uint8_t alpha, nsTamskLib::TRect src) {
  RecordBlt(5, name, x, y, alpha, src);
}
inline void RecordingDrawManager::Blt6(const nsTamskLib::mystr& name, std::int32_t x,
                                       std::int32_t y, std::uint8_t alpha, nsTamskLib::TRect src) {
  RecordBlt(6, name, x, y, alpha, src);
}

inline void RecordingDrawManager::DrawText(const nsTamskLib::mystr& text, std::int32_t x,
                                           std::int32_t y, std::uint8_t alpha,
                                           const nsTamskLib::mystr& fontFace, std::int32_t size,
                                           std::uint32_t color, std::uint8_t flag1,
                                           std::uint8_t flag2) {
  log.push_back(recording_draw_detail::Call(
      "DrawText", text.c_str(), std::int64_t{x}, std::int64_t{y}, std::int64_t{alpha},
      fontFace.c_str(), std::int64_t{size}, recording_draw_detail::ColorText(color),
      std::int64_t{flag1}, std::int64_t{flag2}));
}

inline void RecordingDrawManager::FillRect(nsTamskLib::TRect rect, std::uint32_t color,
                                           std::uint8_t alpha) {
  log.push_back(recording_draw_detail::Call(
      "FillRect", RectText(rect), recording_draw_detail::ColorText(color), std::int64_t{alpha}));
}

}  // namespace vesk_test
