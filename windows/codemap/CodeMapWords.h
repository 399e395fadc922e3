#pragma once

#include <QLabel>

namespace glyphwright {

// The words under the code map's grid: a label of a fixed height whose text changes with nearly
// every change of the Table Order. A word-wrapped QLabel measures its whole text each time it
// changes, to tell the window's layout its size; these words have their height from the window
// and wrap within whatever width the grid leaves them, so their size needs no measuring.
class CodeMapWords final : public QLabel {
public:
    using QLabel::QLabel;

    [[nodiscard]] QSize sizeHint() const override { return {0, minimumHeight()}; }
    [[nodiscard]] QSize minimumSizeHint() const override { return sizeHint(); }
    [[nodiscard]] bool hasHeightForWidth() const override { return false; }
};

}  // namespace glyphwright
