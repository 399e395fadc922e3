#include "FontMessages.h"

#include <gtest/gtest.h>

namespace glyphwright {
namespace {

QStringList LeftOut(int count) {
    QStringList leftOut;
    for (int i = 0; i < count; ++i) {
        leftOut << FontMessages::LeftOutGuess(QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')),
                                              QStringLiteral("ゔ"), QStringLiteral("why"));
    }
    return leftOut;
}

// One line a left-out guess, the first eight named and the rest counted, in the right number.
TEST(FontMessagesTest, LeftOutGuessesAreNamedFirstAndCountedAfter) {
    EXPECT_EQ(FontMessages::GuessesLeftOut(1, LeftOut(1)).toStdString(),
              "1 guess was accepted. 1 was left out, as the table cannot hold it:\n"
              "00 \"ゔ\": why");
    EXPECT_EQ(FontMessages::GuessesLeftOut(0, LeftOut(2)).toStdString(),
              "No guess was accepted. 2 were left out, as the table cannot hold them:\n"
              "00 \"ゔ\": why\n01 \"ゔ\": why");
    const QString many = FontMessages::GuessesLeftOut(5, LeftOut(10));
    EXPECT_TRUE(many.startsWith(QStringLiteral("5 guesses were accepted. 10 were left out")));
    EXPECT_TRUE(many.contains(QStringLiteral("07 \"ゔ\"")));
    EXPECT_FALSE(many.contains(QStringLiteral("08 \"ゔ\"")));
    EXPECT_TRUE(many.endsWith(QStringLiteral("\nand 2 more.")));
    EXPECT_TRUE(
        FontMessages::GuessesLeftOut(0, LeftOut(9)).endsWith(QStringLiteral("\nand 1 more.")));
}

}  // namespace
}  // namespace glyphwright
