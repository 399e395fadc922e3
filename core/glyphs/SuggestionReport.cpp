#include "core/glyphs/SuggestionReport.h"

#include <cstdio>

namespace glyphwright {

std::string Utf8Of(char32_t c) {
    std::string out;
    auto byte = [&](char32_t v) { out += static_cast<char>(static_cast<unsigned char>(v)); };
    if (c < 0x80) {
        byte(c);
    } else if (c < 0x800) {
        byte(0xC0 | (c >> 6));
        byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        byte(0xE0 | (c >> 12));
        byte(0x80 | ((c >> 6) & 0x3F));
        byte(0x80 | (c & 0x3F));
    } else {
        byte(0xF0 | (c >> 18));
        byte(0x80 | ((c >> 12) & 0x3F));
        byte(0x80 | ((c >> 6) & 0x3F));
        byte(0x80 | (c & 0x3F));
    }
    return out;
}

std::string_view EvidenceName(Evidence evidence) {
    switch (evidence) {
        case Evidence::Shape:
            return "shape";
        case Evidence::Order:
            return "order";
        case Evidence::Script:
            return "script";
    }
    return {};
}

std::string SuggestionReport(const std::vector<GlyphSuggestion>& readings, unsigned firstCode) {
    std::string out =
        "code\tguess\tconfidence\talternative 1\talternative 2\talternative 3\t"
        "alternative 4\tnear-ties\tdecided by\twhy\n";
    // Codes are as wide as the widest: two hex digits for a one-byte font, four beyond.
    const unsigned last = firstCode + static_cast<unsigned>(readings.size()) - 1;
    const int digits = readings.empty() || last <= 0xFF ? 2 : 4;
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const GlyphSuggestion& s = readings[i];
        char code[16];
        std::snprintf(code, sizeof code, "%0*X", digits, firstCode + static_cast<unsigned>(i));
        out += code;
        out += '\t';
        if (!s.ranked.empty()) {
            out += Utf8Of(s.Best());
            char confidence[16];
            std::snprintf(confidence, sizeof confidence, "\t%.2f",
                          static_cast<double>(s.confidence));
            out += confidence;
        } else {
            out += '\t';
        }
        for (std::size_t k = 1; k < 5; ++k) {
            out += '\t';
            if (k < s.ranked.size()) out += Utf8Of(s.ranked[k].character);
        }
        out += '\t';
        for (char32_t c : s.nearTies) out += Utf8Of(c);
        out += '\t';
        if (!s.ranked.empty()) out += EvidenceName(s.decidedBy);
        out += '\t';
        out += s.why;
        out += '\n';
    }
    return out;
}

}  // namespace glyphwright
