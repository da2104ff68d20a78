#pragma once
// The select screen's data for the tests: two characters and their enemy files,
// solid images in distinct colours, and no overlap between the buttons.
//
//   character 0: (0,0)-(200,200) red       character 1: (200,0)-(400,200) green
//   enemies e:   (200e, 300)-(200e+150, 450), open image blue, locked image grey
//   戻る: (650,500)-(750,540)

#include <string>

#include "tests/game/support/scene_stack_fixture.h"

namespace vesk_test {

inline constexpr std::uint32_t kCharaColours[2] = {0xFFFF0000u, 0xFF00FF00u};
inline constexpr std::uint32_t kEnemyColour = 0xFF0000FFu;
inline constexpr std::uint32_t kUnknownColour = 0xFF808080u;
inline constexpr std::uint32_t kSelectBackColour = 0xFF000000u;

inline std::string IniRect(const std::string& name, int l, int t, int r, int b) {
  return name + "_Left=" + std::to_string(l) + "\n" + name + "_Top=" + std::to_string(t) + "\n" + name +
         "_Right=" + std::to_string(r) + "\n" + name + "_Bottom=" + std::to_string(b) + "\n";
}

// One enemy section with `rounds` rounds whose file names are prefixed by `tag`.
inline std::string EnemyEntry(int e, int rounds, const std::string& tag) {
  std::string text = "[EnemySelect" + std::to_string(e) + "]\nFileName=\"Data/Select/enemy.png\"\n" +
                     "UnknownFileName=\"Data/Select/unknown.png\"\n" + IniRect("SrcRect", 0, 0, 150, 150) +
                     IniRect("ClickRect", 200 * e, 300, 200 * e + 150, 450) +
                     "RoundNum=" + std::to_string(rounds) + "\nGohoubiIni=\"" + tag + "g.ini\"\n";
  for (int r = 0; r < rounds; ++r) {
    const std::string n = std::to_string(r);
    text += "EnemyIni" + n + "=\"" + tag + "e" + n + ".ini\"\nRoundIni" + n + "=\"" + tag + "r" + n +
            ".ini\"\nADVIni" + n + "=\"" + tag + "a" + n + ".ini\"\n";
  }
  return text;
}

// Select.ini with `charas` characters (the extra ones reuse character 0's
// place), the given [CG] lines, and the two enemy files.
inline void WriteSelectData(int charas, const std::string& cg, const std::string& enemies0,
                            const std::string& enemies1) {
  WriteSolidImage("Data/Select/back.png", 800, 600, kSelectBackColour);
  WriteSolidImage("Data/Select/chara0.png", 200, 200, kCharaColours[0]);
  WriteSolidImage("Data/Select/chara1.png", 200, 200, kCharaColours[1]);
  WriteSolidImage("Data/Select/enemy.png", 150, 150, kEnemyColour);
  WriteSolidImage("Data/Select/unknown.png", 150, 150, kUnknownColour);
  WriteFile("Data/Common.ini", "[Common]\nTimeFadein=200\nTimeFadeout=200\n");
  std::string ini = "[CG]\nBackFileName=\"Data/Select/back.png\"\n" + IniRect("BackSrcRect", 0, 0, 800, 600) +
                    "CharaNum=" + std::to_string(charas) + "\nSEOnCursor=\"Data/Sound/cursor.wav\"\n" +
                    "SEONClicked=\"Data/Sound/click.wav\"\n" + cg + "[BackButton]\n" +
                    IniRect("ClickRect", 650, 500, 750, 540);
  for (int c = 0; c < charas; ++c) {
    const int image = c == 1 ? 1 : 0;
    ini += "[CharaSelect" + std::to_string(c) + "]\nFileName=\"Data/Select/chara" + std::to_string(image) +
           ".png\"\n" + IniRect("SrcRect", 0, 0, 200, 200) + IniRect("ClickRect", 200 * image, 0, 200 * image + 200, 200) +
           "CharaIni=\"Data/Chara/c" + std::to_string(c) + ".ini\"\nEnemySelectIni=\"Data/Select/enemy_c" +
           std::to_string(c) + ".ini\"\n";
  }
  WriteFile("Data/Select/Select.ini", ini);
  WriteFile("Data/Select/enemy_c0.ini", enemies0);
  WriteFile("Data/Select/enemy_c1.ini", enemies1);
}

}  // namespace vesk_test
