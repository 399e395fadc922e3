#pragma once

#include <QtGlobal>

#include <cstdio>

namespace glyphwright {

// Held while the QApplication is made: without a display the toolkit ends the program with its
// own plugin message and an abort. This says instead, in the program's words, that there is no
// display and that the command line needs none, and exits with the bad-usage status. Whatever
// else the toolkit said meanwhile is told once the display is open.
class NoDisplayExit final {
public:
    explicit NoDisplayExit(std::FILE* err);
    ~NoDisplayExit();
    Q_DISABLE_COPY_MOVE(NoDisplayExit)
};

}  // namespace glyphwright
