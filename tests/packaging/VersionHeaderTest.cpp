#include <gtest/gtest.h>

#include <string_view>

#include "Version.h"

namespace glyphwright {
namespace {

TEST(VersionHeader, ShowsTheVersionAsOneDotTwoDigits) {
    EXPECT_EQ(std::string_view(kVersionText), "1.00");
}

TEST(VersionHeader, FixedVersionIsOneDotZeroDotZeroDotZero) {
    EXPECT_EQ(kVersionMajor, 1);
    EXPECT_EQ(kVersionMinor, 0);
    EXPECT_EQ(kVersionPatch, 0);
    EXPECT_EQ(kVersionTweak, 0);
}

TEST(VersionHeader, NamesTheProductAndTheDesktopEntry) {
    EXPECT_EQ(std::string_view(kProductName), "Glyphwright");
    EXPECT_EQ(std::string_view(kDesktopFileName), "io.github.glyphwright.Glyphwright");
}

}  // namespace
}  // namespace glyphwright
