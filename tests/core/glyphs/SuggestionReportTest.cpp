#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/glyphs/SuggestionReport.h"

namespace glyphwright {
namespace {

TEST(SuggestionReportTest, OneLinePerCodeWithTheGuessItsConfidenceTheAlternativesAndWhatDecided) {
    GlyphSuggestion he;
    he.ranked = {{U'へ', 0.9f}, {U'ヘ', 0.91f}, {U'ペ', 1.5f}, {U'べ', 1.6f}, {U'ベ', 1.7f}};
    he.confidence = 0.031f;
    he.nearTies = {U'ヘ'};
    he.lookAlike = true;
    he.decidedBy = Evidence::Script;
    he.why = "へや";
    GlyphSuggestion a;
    a.ranked = {{U'A', 0.2f}, {U'Ａ', 0.8f}};  // a short ranking leaves its fields empty
    a.confidence = 1;
    const GlyphSuggestion blank;

    EXPECT_EQ(SuggestionReport({he, a, blank}, 0xFE),
              "code\tguess\tconfidence\talternative 1\talternative 2\talternative 3\t"
              "alternative 4\tnear-ties\tdecided by\twhy\n"
              "00FE\tへ\t0.03\tヘ\tペ\tべ\tベ\tヘ\tscript\tへや\n"
              "00FF\tA\t1.00\tＡ\t\t\t\t\tshape\t\n"
              "0100\t\t\t\t\t\t\t\t\t\n");
    EXPECT_EQ(SuggestionReport({a}, 0x41), std::string("code\tguess\tconfidence\talternative 1\t"
                                                       "alternative 2\talternative 3\t"
                                                       "alternative 4\tnear-ties\t"
                                                       "decided by\twhy\n"
                                                       "41\tA\t1.00\tＡ\t\t\t\t\tshape\t\n"));
}

TEST(SuggestionReportTest, CharactersOfEveryLengthAreWrittenAsUtf8) {
    EXPECT_EQ(Utf8Of(U'A'), "A");
    EXPECT_EQ(Utf8Of(U'é'), "\xC3\xA9");
    EXPECT_EQ(Utf8Of(U'漢'), "\xE6\xBC\xA2");
    EXPECT_EQ(Utf8Of(U'𠮷'), "\xF0\xA0\xAE\xB7");
}

}  // namespace
}  // namespace glyphwright
