// The system's fonts: fontconfig chooses the font file for a face name and
// FreeType rasterises it. The requested height is the cell height (the font's
// ascent plus descent), so a line of text is exactly as tall as the size the
// game asks for.

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SIZES_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H
#include <fontconfig/fontconfig.h>

#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "platform/font/face_table.h"
#include "platform/font/font.h"
#include "platform/text/cp932.h"

namespace platform {
namespace {

// Heights beyond this make no usable glyphs (and bitmaps of gigabytes).
constexpr std::int32_t kMaxCellHeight = 4096;

// FreeType and fontconfig, shut down when the last face lets go of them (at exit
// at the latest), so that the leak checker finds nothing left behind.
class FontLibrary {
 public:
  FontLibrary() {
    FcInit();
    if (FT_Init_FreeType(&m_Ft) != 0) m_Ft = nullptr;
  }
  FontLibrary(const FontLibrary&) = delete;
  FontLibrary& operator=(const FontLibrary&) = delete;
  ~FontLibrary() {
    if (m_Ft != nullptr) FT_Done_FreeType(m_Ft);
    FcFini();
  }
  FT_Library ft() const { return m_Ft; }

 private:
  FT_Library m_Ft = nullptr;
};

// One opened font file.
class LoadedFace {
 public:
  LoadedFace(std::shared_ptr<FontLibrary> library, FT_Face face)
      : m_Library(std::move(library)), m_Face(face) {}
  LoadedFace(const LoadedFace&) = delete;
  LoadedFace& operator=(const LoadedFace&) = delete;
  ~LoadedFace() { FT_Done_Face(m_Face); }
  FT_Face face() const { return m_Face; }

 private:
  std::shared_ptr<FontLibrary> m_Library;
  FT_Face m_Face;
};

// Which file serves a face name, and which styles must be made up because the
// file lacks them.
struct FaceChoice {
  std::string path;
  int index = 0;
  bool bold = false;    // asked for; made up when the file is not bold itself
  bool italic = false;  // asked for; made up when the file is upright
  bool coversJapanese = false;
};

// A face at one cell height, with its synthetic styles and the metrics of the
// glyphs measured so far.
class SizedFace {
 public:
  SizedFace(std::shared_ptr<LoadedFace> face, FT_Size size, const TextMetrics& metrics,
            bool embolden, bool oblique)
      : m_Face(std::move(face)), m_Size(size), m_Metrics(metrics), m_Embolden(embolden),
        m_Oblique(oblique) {}
  SizedFace(const SizedFace&) = delete;
  SizedFace& operator=(const SizedFace&) = delete;
  ~SizedFace() { FT_Done_Size(m_Size); }

  FT_Face face() const { return m_Face->face(); }
  const TextMetrics& metrics() const { return m_Metrics; }
  bool HasGlyphFor(char32_t ucs) const { return FT_Get_Char_Index(face(), ucs) != 0; }
  FT_UInt GlyphIndex(char32_t ucs) const { return ucs == 0 ? 0 : FT_Get_Char_Index(face(), ucs); }

  // Loads and renders one glyph into the face's slot; returns the slot or null.
  FT_GlyphSlot Render(FT_UInt glyphIndex) {
    FT_Face f = face();
    if (FT_Activate_Size(m_Size) != 0) return nullptr;
    if (FT_Load_Glyph(f, glyphIndex, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0) return nullptr;
    FT_GlyphSlot slot = f->glyph;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
      // Made-up bold is one pixel wider and advances one pixel further, like the
      // overhang of the original system's synthetic bold.
      if (m_Embolden) {
        FT_Outline_EmboldenXY(&slot->outline, 64, 0);
        slot->advance.x += 64;
      }
      if (m_Oblique) FT_GlyphSlot_Oblique(slot);
    }
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return nullptr;
    return slot;
  }

  std::unordered_map<FT_UInt, GlyphMetrics>& glyphMetrics() { return m_GlyphMetrics; }

 private:
  std::shared_ptr<LoadedFace> m_Face;
  FT_Size m_Size;
  TextMetrics m_Metrics;
  bool m_Embolden;
  bool m_Oblique;
  std::unordered_map<FT_UInt, GlyphMetrics> m_GlyphMetrics;
};

// The Unicode character of each Shift-JIS code, looked up once.
char32_t UnicodeOf(std::uint16_t code) {
  constexpr char32_t kUnknown = 0xFFFFFFFFu;
  static std::vector<char32_t> table(65536, kUnknown);
  char32_t& entry = table[code];
  if (entry == kUnknown) entry = Cp932CodeToUcs4(code);
  return entry;
}

GlyphMetrics MetricsOf(FT_GlyphSlot slot) {
  GlyphMetrics m;
  m.gmBlackBoxX = slot->bitmap.width;
  m.gmBlackBoxY = slot->bitmap.rows;
  m.gmptGlyphOriginX = slot->bitmap_left;
  m.gmptGlyphOriginY = slot->bitmap_top;
  m.gmCellIncX = static_cast<std::int16_t>((slot->advance.x + 32) >> 6);
  m.gmCellIncY = 0;
  return m;
}

// A font handed to a caller: the chosen face, and a Japanese face for the
// characters the chosen one lacks.
class SystemFont final : public Font {
 public:
  SystemFont(std::shared_ptr<SizedFace> primary, std::shared_ptr<SizedFace> fallback)
      : m_Primary(std::move(primary)), m_Fallback(std::move(fallback)) {}

  TextMetrics GetTextMetrics() const override { return m_Primary->metrics(); }

  bool GetGlyphMetrics(std::uint16_t code, GlyphMetrics& out) override {
    auto [face, index] = Locate(code);
    auto& cache = face->glyphMetrics();
    if (auto it = cache.find(index); it != cache.end()) {
      out = it->second;
      return true;
    }
    FT_GlyphSlot slot = face->Render(index);
    if (slot == nullptr) return false;
    out = MetricsOf(slot);
    cache.emplace(index, out);
    return true;
  }

  bool GetGlyphGray8(std::uint16_t code, GlyphBitmap& out) override {
    auto [face, index] = Locate(code);
    FT_GlyphSlot slot = face->Render(index);
    if (slot == nullptr) return false;
    out.metrics = MetricsOf(slot);
    face->glyphMetrics().emplace(index, out.metrics);
    const FT_Bitmap& bitmap = slot->bitmap;
    out.pitch = Gray8Pitch(bitmap.width);
    out.levels.assign(static_cast<std::size_t>(out.pitch) * bitmap.rows, 0);
    const unsigned levelsIn = bitmap.num_grays > 1 ? bitmap.num_grays - 1u : 255u;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
      const unsigned char* src = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
      std::uint8_t* dst = out.levels.data() + static_cast<std::size_t>(row) * out.pitch;
      for (unsigned col = 0; col < bitmap.width; ++col) {
        // 256 coverage levels to the 65 of the original system's grey bitmaps.
        dst[col] = static_cast<std::uint8_t>((src[col] * 64u + levelsIn / 2) / levelsIn);
      }
    }
    return true;
  }

 private:
  std::pair<SizedFace*, FT_UInt> Locate(std::uint16_t code) {
    const char32_t ucs = UnicodeOf(code);
    if (ucs != 0) {
      if (FT_UInt index = m_Primary->GlyphIndex(ucs); index != 0) return {m_Primary.get(), index};
      if (m_Fallback) {
        if (FT_UInt index = m_Fallback->GlyphIndex(ucs); index != 0) return {m_Fallback.get(), index};
      }
    }
    return {m_Primary.get(), 0};  // the font's missing glyph
  }

  std::shared_ptr<SizedFace> m_Primary;
  std::shared_ptr<SizedFace> m_Fallback;
};

class FreeTypeGlyphSource final : public GlyphSource {
 public:
  FreeTypeGlyphSource() : m_Library(std::make_shared<FontLibrary>()) {}

  std::unique_ptr<Font> CreateFont(const FontRequest& request) override {
    if (m_Library->ft() == nullptr) return nullptr;
    if (request.height <= 0 || request.height > kMaxCellHeight) return nullptr;
    const bool bold = request.weight >= 600;
    std::optional<FaceChoice> choice = Choose(CutFaceName(request.face), bold, request.italic);
    if (!choice) return nullptr;
    std::shared_ptr<SizedFace> primary = Sized(*choice, request.height);
    if (!primary) {
      // A file that FreeType cannot open or scale: the last resort serves instead.
      choice = Match(kLastResortFamily, bold, request.italic, false);
      if (!choice) return nullptr;
      primary = Sized(*choice, request.height);
      if (!primary) return nullptr;
    }
    std::shared_ptr<SizedFace> fallback;
    if (!choice->coversJapanese) {
      if (std::optional<FaceChoice> last = Match(kLastResortFamily, bold, request.italic, false)) {
        fallback = Sized(*last, request.height);
      }
    }
    return std::make_unique<SystemFont>(std::move(primary), std::move(fallback));
  }

 private:
  std::optional<FaceChoice> Choose(const std::string& face, bool bold, bool italic) {
    const auto key = std::make_tuple(face, bold, italic);
    if (auto it = m_Choices.find(key); it != m_Choices.end()) return it->second;
    std::optional<FaceChoice> choice;
    if (const char* family = FixedFamilyFor(face)) {
      choice = Match(family, bold, italic, false);
    } else if (!face.empty()) {
      choice = Match(Cp932ToUtf8(face).c_str(), bold, italic, true);
    }
    if (!choice) choice = Match(kLastResortFamily, bold, italic, false);
    m_Choices.emplace(key, choice);
    return choice;
  }

  // fontconfig's best file for a family; with requireJapanese, a file that
  // cannot show Japanese is refused.
  static std::optional<FaceChoice> Match(const char* family, bool bold, bool italic,
                                         bool requireJapanese) {
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) return std::nullopt;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    if (requireJapanese) {
      FcLangSet* langs = FcLangSetCreate();
      FcLangSetAdd(langs, reinterpret_cast<const FcChar8*>("ja"));
      FcPatternAddLangSet(pattern, FC_LANG, langs);
      FcLangSetDestroy(langs);
    }
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) return std::nullopt;

    std::optional<FaceChoice> choice;
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file != nullptr) {
      FaceChoice c;
      c.path = reinterpret_cast<const char*>(file);
      FcPatternGetInteger(match, FC_INDEX, 0, &c.index);
      c.bold = bold;
      c.italic = italic;
      FcLangSet* langs = nullptr;
      c.coversJapanese = FcPatternGetLangSet(match, FC_LANG, 0, &langs) == FcResultMatch &&
                         langs != nullptr &&
                         FcLangSetHasLang(langs, reinterpret_cast<const FcChar8*>("ja")) !=
                             FcLangDifferentLang;
      if (c.coversJapanese || !requireJapanese) choice = std::move(c);
    }
    FcPatternDestroy(match);
    return choice;
  }

  std::shared_ptr<LoadedFace> Loaded(const FaceChoice& choice) {
    const auto key = std::make_pair(choice.path, choice.index);
    if (auto it = m_Faces.find(key); it != m_Faces.end()) return it->second;
    FT_Face face = nullptr;
    if (FT_New_Face(m_Library->ft(), choice.path.c_str(), choice.index, &face) != 0) return nullptr;
    if (!FT_IS_SCALABLE(face)) {
      FT_Done_Face(face);
      return nullptr;
    }
    auto loaded = std::make_shared<LoadedFace>(m_Library, face);
    m_Faces.emplace(key, loaded);
    return loaded;
  }

  std::shared_ptr<SizedFace> Sized(const FaceChoice& choice, std::int32_t height) {
    const auto key = std::make_tuple(choice.path, choice.index, height, choice.bold, choice.italic);
    if (auto it = m_Sized.find(key); it != m_Sized.end()) return it->second;
    std::shared_ptr<LoadedFace> loaded = Loaded(choice);
    if (!loaded) return nullptr;
    FT_Face face = loaded->face();
    const bool embolden = choice.bold && (face->style_flags & FT_STYLE_FLAG_BOLD) == 0;
    const bool oblique = choice.italic && (face->style_flags & FT_STYLE_FLAG_ITALIC) == 0;

    // The cell: the font's ascent and descent. The Japanese faces that stand in
    // for the game's faces have a cell of exactly one em there, as the faces they
    // replace have, so a full-width character is as wide as the size asked for.
    // Their Windows metrics carry a deeper descent, so those serve only as a
    // fallback for fonts without the others.
    long ascent = face->ascender;
    long descent = -face->descender;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (ascent + descent <= 0 && os2 != nullptr && os2->version != 0xFFFF) {
      ascent = os2->usWinAscent;
      descent = os2->usWinDescent;
    }
    long cell = ascent + descent;
    if (cell <= 0 || ascent < 0) {
      cell = face->units_per_EM;
      ascent = cell * 4 / 5;
    }

    FT_Size size = nullptr;
    if (FT_New_Size(face, &size) != 0) return nullptr;
    const long emPixels26 = (static_cast<long>(height) * 64 * face->units_per_EM + cell / 2) / cell;
    if (FT_Activate_Size(size) != 0 || FT_Set_Char_Size(face, 0, emPixels26, 72, 72) != 0) {
      FT_Done_Size(size);
      return nullptr;
    }
    TextMetrics metrics;
    metrics.tmHeight = height;
    metrics.tmAscent = static_cast<std::int32_t>((ascent * height * 2 + cell) / (cell * 2));
    if (metrics.tmAscent > height) metrics.tmAscent = height;
    metrics.tmDescent = height - metrics.tmAscent;

    auto sized = std::make_shared<SizedFace>(std::move(loaded), size, metrics, embolden, oblique);
    m_Sized.emplace(key, sized);
    return sized;
  }

  std::shared_ptr<FontLibrary> m_Library;
  std::map<std::tuple<std::string, bool, bool>, std::optional<FaceChoice>> m_Choices;
  std::map<std::pair<std::string, int>, std::shared_ptr<LoadedFace>> m_Faces;
  std::map<std::tuple<std::string, int, std::int32_t, bool, bool>, std::shared_ptr<SizedFace>> m_Sized;
};

}  // namespace

GlyphSource& SystemGlyphSource() {
  static FreeTypeGlyphSource source;
  return source;
}

}  // namespace platform
