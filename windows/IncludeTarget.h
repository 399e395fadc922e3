#pragma once

#include <QString>

namespace glyphwright {

// What the include chooser needs of the window that includes: the set selector's text.
class IncludeTarget {
public:
    [[nodiscard]] virtual QString SelectionText() const = 0;

protected:
    IncludeTarget() = default;
    ~IncludeTarget() = default;
    IncludeTarget(const IncludeTarget&) = default;
    IncludeTarget& operator=(const IncludeTarget&) = default;
};

}  // namespace glyphwright
