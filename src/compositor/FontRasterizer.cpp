#include "compositor/FontRasterizer.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <map>
#include <unordered_map>
#include <utility>
#include <vector>

#include "compositor/FontLookup.h"
#include "util/Encoding.h"
#include "util/StartupTrace.h"

namespace vandor {

namespace {

constexpr int kDefaultEm = 16;  // for height 0, "any reasonable size"
constexpr int kMaxEm = 1024;    // far beyond any text the game draws; keeps glyph bitmaps bounded
constexpr std::size_t kMaxCachedGlyphs = 16384;
constexpr int64_t kMaxWidth = int64_t{1} << 30;  // leaves callers room to add margins
constexpr char32_t kHiraganaA = U'\u3042';

// One horizontal stretch of covered pixels of a glyph row.
struct TRun {
    int Row;
    int Begin;
    int End;
};

// A rendered glyph relative to the pen on the baseline.
struct TGlyph {
    int Left = 0;  // first column
    int Top = 0;   // rows above the baseline
    int Advance = 0;
    std::vector<TRun> Runs;
};

struct TFace {
    FT_Face Face = nullptr;
    int Id = 0;
    int CurrentEm = 0;
    // Design units of the cell: the Windows ascent and descent when the font has them.
    int DesignAscent = 0;
    int DesignDescent = 0;
    bool CoversJapanese = false;
};

struct TSizedFont {
    TFace* Face = nullptr;
    TFontMetrics Metrics;
    int Embolden = 0;  // pixels added to the width of every glyph; 0 when not bold
};

std::vector<TRun> RunsOf(const FT_Bitmap& bitmap) {
    std::vector<TRun> runs;
    for (int row = 0; row < static_cast<int>(bitmap.rows); ++row) {
        const unsigned char* bits = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        auto covered = [&](int x) { return (bits[x >> 3] & (0x80 >> (x & 7))) != 0; };
        const int width = static_cast<int>(bitmap.width);
        for (int x = 0; x < width;) {
            if (!covered(x)) {
                ++x;
                continue;
            }
            const int begin = x;
            while (x < width && covered(x)) ++x;
            runs.push_back({row, begin, x});
        }
    }
    return runs;
}

}  // namespace

struct TFontRasterizer::TImpl {
    FT_Library Library = nullptr;
    std::map<std::pair<std::string, int>, std::unique_ptr<TFace>> FacesByFile;
    std::unordered_map<std::string, TFace*> FacesByName;  // nullptr: no usable font at all
    bool JapaneseFallbackSearched = false;
    TFace* JapaneseFallback = nullptr;
    std::unordered_map<std::string, TSizedFont> SizedFonts;
    std::unordered_map<uint64_t, TGlyph> Glyphs;
    TFont LastFont;
    const TSizedFont* LastSized = nullptr;

    TImpl() {
        if (FT_Init_FreeType(&Library) != 0) Library = nullptr;
    }

    ~TImpl() {
        for (auto& entry : FacesByFile) {
            if (entry.second) FT_Done_Face(entry.second->Face);
        }
        if (Library != nullptr) FT_Done_FreeType(Library);
    }

    // The face of a font file, opened once; nullptr when FreeType cannot use it.
    TFace* Open(const TFontFile& file) {
        auto [it, added] = FacesByFile.try_emplace({file.Path, file.Index});
        if (!added || Library == nullptr) return it->second.get();
        const TStartupSpan span("fonts");
        FT_Face face = nullptr;
        if (FT_New_Face(Library, file.Path.c_str(), file.Index, &face) != 0) return nullptr;
        if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) {
            FT_Done_Face(face);
            return nullptr;
        }
        auto entry = std::make_unique<TFace>();
        entry->Face = face;
        entry->Id = static_cast<int>(FacesByFile.size());
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        if (os2 != nullptr && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
            entry->DesignAscent = os2->usWinAscent;
            entry->DesignDescent = os2->usWinDescent;
        } else {
            entry->DesignAscent = std::max<int>(face->ascender, 0);
            entry->DesignDescent = std::max<int>(-face->descender, 0);
        }
        if (entry->DesignAscent + entry->DesignDescent <= 0) {
            entry->DesignAscent = face->units_per_EM;
            entry->DesignDescent = 0;
        }
        entry->CoversJapanese = FT_Get_Char_Index(face, kHiraganaA) != 0;
        it->second = std::move(entry);
        return it->second.get();
    }

    TFace* Japanese() {
        if (!JapaneseFallbackSearched) {
            JapaneseFallbackSearched = true;
            for (const TFontFile& file : JapaneseFonts()) {
                TFace* face = Open(file);
                if (face != nullptr && face->CoversJapanese) {
                    JapaneseFallback = face;
                    break;
                }
            }
        }
        return JapaneseFallback;
    }

    // The named font if it can draw Japanese, else any Japanese font, else whatever
    // the name matched, else nothing.
    TFace* Resolve(const std::string& name) {
        auto found = FacesByName.find(name);
        if (found != FacesByName.end()) return found->second;
        const std::optional<TFontFile> match = MatchFont(name);
        TFace* face = match ? Open(*match) : nullptr;
        if (face == nullptr || !face->CoversJapanese) {
            if (TFace* japanese = Japanese()) face = japanese;
        }
        FacesByName.emplace(name, face);
        return face;
    }

    // Negative heights give the em size; positive ones the cell, which the font's
    // ascent and descent divide into an em size.
    static TSizedFont SizeFor(TFace* face, const TFont& font) {
        TSizedFont sized;
        sized.Face = face;
        if (face == nullptr) return sized;
        const int64_t designCell = face->DesignAscent + face->DesignDescent;
        const int64_t unitsPerEm = face->Face->units_per_EM > 0 ? face->Face->units_per_EM : designCell;
        TFontMetrics& m = sized.Metrics;
        auto rounded = [](int64_t numerator, int64_t denominator) {
            return static_cast<int>((2 * numerator + denominator) / (2 * denominator));
        };
        if (font.Height > 0) {
            const int cell = std::min(font.Height, kMaxEm);
            m.EmHeight = std::clamp(rounded(int64_t{cell} * unitsPerEm, designCell), 1, kMaxEm);
            m.Ascent = rounded(int64_t{cell} * face->DesignAscent, designCell);
            m.Descent = cell - m.Ascent;
        } else {
            m.EmHeight =
                font.Height == 0 ? kDefaultEm : static_cast<int>(std::min<int64_t>(-int64_t{font.Height}, kMaxEm));
            m.Ascent = rounded(int64_t{m.EmHeight} * face->DesignAscent, unitsPerEm);
            m.Descent = rounded(int64_t{m.EmHeight} * face->DesignDescent, unitsPerEm);
        }
        m.CellHeight = m.Ascent + m.Descent;
        // About one pixel at text sizes, growing with the size so that enlarged
        // renderings keep the proportions once reduced.
        if (font.Bold) sized.Embolden = std::max(1, (m.EmHeight + 10) / 20);
        return sized;
    }

    const TSizedFont& Sized(const TFont& font) {
        if (LastSized != nullptr && font.Name == LastFont.Name && font.Height == LastFont.Height &&
            font.Bold == LastFont.Bold) {
            return *LastSized;
        }
        std::string key = font.Name;
        key += '\0';
        key += std::to_string(font.Height);
        key += font.Bold ? 'B' : 'R';
        auto found = SizedFonts.find(key);
        if (found == SizedFonts.end())
            found = SizedFonts.emplace(std::move(key), SizeFor(Resolve(font.Name), font)).first;
        LastFont = font;
        LastSized = &found->second;
        return found->second;
    }

    const TGlyph& Glyph(const TSizedFont& sized, char32_t codePoint) {
        const uint64_t key = (uint64_t(sized.Face->Id) << 48) | (uint64_t(sized.Metrics.EmHeight) << 32) |
                             (uint64_t(sized.Embolden) << 24) | (uint64_t(codePoint) & 0xFFFFFF);
        auto found = Glyphs.find(key);
        if (found != Glyphs.end()) return found->second;
        if (Glyphs.size() >= kMaxCachedGlyphs) Glyphs.clear();
        return Glyphs.emplace(key, Render(sized, codePoint)).first->second;
    }

    // Missing characters take the font's .notdef glyph (index 0).
    static TGlyph Render(const TSizedFont& sized, char32_t codePoint) {
        TGlyph glyph;
        TFace& face = *sized.Face;
        if (face.CurrentEm != sized.Metrics.EmHeight) {
            if (FT_Set_Pixel_Sizes(face.Face, 0, static_cast<FT_UInt>(sized.Metrics.EmHeight)) != 0) return glyph;
            face.CurrentEm = sized.Metrics.EmHeight;
        }
        const FT_UInt index = FT_Get_Char_Index(face.Face, codePoint);
        if (FT_Load_Glyph(face.Face, index, FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP) != 0) return glyph;
        FT_GlyphSlot slot = face.Face->glyph;
        if (sized.Embolden > 0 && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
            // Widened to the right only, like drawing the glyph twice a pixel apart.
            const FT_Pos strength = FT_Pos{sized.Embolden} * 64;
            FT_Outline_EmboldenXY(&slot->outline, strength, 0);
            FT_Outline_Translate(&slot->outline, strength / 2, 0);
        }
        glyph.Advance = static_cast<int>((slot->advance.x + 32) >> 6) + sized.Embolden;
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0 || slot->bitmap.pixel_mode != FT_PIXEL_MODE_MONO) {
            return glyph;
        }
        glyph.Left = slot->bitmap_left;
        glyph.Top = slot->bitmap_top;
        glyph.Runs = RunsOf(slot->bitmap);
        return glyph;
    }
};

TFontRasterizer& TFontRasterizer::Instance() {
    static TFontRasterizer instance;
    return instance;
}

TFontRasterizer::TFontRasterizer() : Impl_(std::make_unique<TImpl>()) {}

TFontRasterizer::~TFontRasterizer() = default;

TFontMetrics TFontRasterizer::Metrics(const TFont& font) { return Impl_->Sized(font).Metrics; }

int TFontRasterizer::Width(const TFont& font, std::string_view utf8) {
    const TSizedFont& sized = Impl_->Sized(font);
    if (sized.Face == nullptr) return 0;
    int64_t width = 0;
    for (std::size_t pos = 0; pos < utf8.size();) width += Impl_->Glyph(sized, NextCodePoint(utf8, pos)).Advance;
    return static_cast<int>(std::min<int64_t>(width, kMaxWidth));
}

TSize TFontRasterizer::Extent(const TFont& font, std::string_view utf8) {
    return {Width(font, utf8), Impl_->Sized(font).Metrics.CellHeight};
}

void TFontRasterizer::Draw(TBitmap32& target, int x, int y, const TFont& font, std::string_view utf8, TColor32 colour) {
    const TSizedFont& sized = Impl_->Sized(font);
    if (sized.Face == nullptr || target.Empty()) return;
    const int64_t baseline = int64_t{y} + sized.Metrics.Ascent;
    int64_t pen = x;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const TGlyph& glyph = Impl_->Glyph(sized, NextCodePoint(utf8, pos));
        for (const TRun& run : glyph.Runs) {
            const int64_t row = baseline - glyph.Top + run.Row;
            if (row < 0 || row >= target.Height()) continue;
            const int64_t begin = std::max<int64_t>(pen + glyph.Left + run.Begin, 0);
            const int64_t end = std::min<int64_t>(pen + glyph.Left + run.End, target.Width());
            if (begin < end) {
                std::fill(target.PixelPtr(static_cast<int>(begin), static_cast<int>(row)),
                          target.PixelPtr(static_cast<int>(end), static_cast<int>(row)), colour);
            }
        }
        pen += glyph.Advance;
    }
}

std::string TFontRasterizer::FamilyName(const std::string& name) {
    TFace* face = Impl_->Resolve(name);
    return face != nullptr && face->Face->family_name != nullptr ? face->Face->family_name : std::string();
}

}  // namespace vandor
