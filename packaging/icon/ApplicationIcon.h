#pragma once

#include <QIcon>

namespace glyphwright {

// The program's icon in the sizes it is drawn in (16, 32 and 64 pixels), from the resources that
// the glyphwright_appicon library links in. QApplication::setWindowIcon(ApplicationIcon()) gives
// it to every window.
[[nodiscard]] QIcon ApplicationIcon();

}  // namespace glyphwright
