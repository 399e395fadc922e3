#include "core/glyphs/Repertoire.h"

#include <string>
#include <unordered_set>

#include "core/text/TextConverter.h"

namespace glyphwright {

namespace {

void AddRange(std::vector<char32_t>& out, char32_t first, char32_t last) {
    for (char32_t c = first; c <= last; ++c) out.push_back(c);
}

}  // namespace

std::vector<char32_t> JisRows(int first, int last) {
    TextConverter toUtf32("UTF-32LE", "EUC-JP");
    std::vector<char32_t> out;
    for (int row = first; row <= last; ++row) {
        for (int cell = 1; cell <= 94; ++cell) {
            const char bytes[2] = {static_cast<char>(0xA0 + row), static_cast<char>(0xA0 + cell)};
            const auto converted = toUtf32.Convert(std::string_view(bytes, 2));
            if (!converted.ok() || converted.value().size() != 4) continue;
            const std::string& u = converted.value();
            char32_t c = 0;
            for (int i = 3; i >= 0; --i) {
                c = (c << 8) | static_cast<unsigned char>(u[static_cast<std::size_t>(i)]);
            }
            out.push_back(c);
        }
    }
    return out;
}

namespace {

// The kana repertoire's ranges; the katakana middle dot (U+30FB) is punctuation.
bool IsKana(char32_t c) {
    return (c >= 0x3041 && c <= 0x309E) || (c >= 0x30A1 && c <= 0x30FE && c != 0x30FB) ||
           (c >= 0xFF61 && c <= 0xFF9F);
}

}  // namespace

std::vector<char32_t> RepertoireCharacters(Repertoire repertoire) {
    std::vector<char32_t> out;
    switch (repertoire) {
        case Repertoire::Kana:
            AddRange(out, 0x3041, 0x3096);  // ぁ..ゖ
            AddRange(out, 0x309B, 0x309E);  // ゛゜ゝゞ
            AddRange(out, 0x30A1, 0x30FA);  // ァ..ヺ
            AddRange(out, 0x30FC, 0x30FE);  // ーヽヾ
            AddRange(out, 0xFF61, 0xFF9F);  // half-width ｡..ﾟ
            break;
        case Repertoire::Ascii:
            AddRange(out, 0x21, 0x7E);
            break;
        case Repertoire::FullWidth: {
            AddRange(out, 0xFF01, 0xFF5E);
            std::unordered_set<char32_t> seen(out.begin(), out.end());
            // Row 1 is JIS X 0208's punctuation and symbols, row 2 more symbols, row 3 the
            // full-width digits and Latin; what the kana repertoire holds stays there.
            for (char32_t c : JisRows(1, 3)) {
                if (!IsKana(c) && seen.insert(c).second) out.push_back(c);
            }
            break;
        }
        case Repertoire::Level1Kanji:
            out = JisRows(16, 47);
            break;
        case Repertoire::Level2Kanji:
            out = JisRows(48, 84);
            break;
    }
    return out;
}

std::vector<char32_t> RepertoireCharacters(const std::vector<Repertoire>& repertoires) {
    std::vector<char32_t> out;
    std::unordered_set<char32_t> seen;
    for (Repertoire r : repertoires) {
        for (char32_t c : RepertoireCharacters(r)) {
            if (seen.insert(c).second) out.push_back(c);
        }
    }
    return out;
}

std::string_view RepertoireName(Repertoire repertoire) {
    switch (repertoire) {
        case Repertoire::Kana:
            return "kana";
        case Repertoire::Ascii:
            return "ascii";
        case Repertoire::FullWidth:
            return "fullwidth";
        case Repertoire::Level1Kanji:
            return "kanji1";
        case Repertoire::Level2Kanji:
            return "kanji2";
    }
    return {};
}

}  // namespace glyphwright
