#pragma once

class QWidget;

namespace glyphwright {

// What every window of the program shares: a fixed frame of the size its definition gives, with
// a title bar and a close box but no minimise or maximise box; the default font "MS Sans Serif"
// 8.25 pt (or the nearest sans-serif face); Enter pressing the focused push button.
void ApplyWindowFrame(QWidget& window);

// Registers the faces that stand in for "MS Sans Serif" where it is missing; once, at start-up.
void InstallFontFallbacks();

}  // namespace glyphwright
