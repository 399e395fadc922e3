#pragma once

#include <string>

namespace glyphwright::bench {

// One start of a program on the X display in $DISPLAY, watched from outside: no hook in the
// program. "Shown" is the first time the program draws into its top-level window after mapping
// it, as the X server's Damage extension reports it.
struct StartupSample {
    double shownMs = 0;   // from fork to the first drawing in the mapped window
    double mappedMs = 0;  // from fork to the window being mapped
    long peakRssKb = 0;   // the process's VmHWM when it was shown
};

// Starts `program`, waits until its window is shown, samples its memory, then ends it. Throws
// std::runtime_error when the display is missing or the program shows nothing within 20 s.
StartupSample ProbeStartup(const std::string& program);

}  // namespace glyphwright::bench
