#pragma once

#include <QString>

namespace glyphwright {

// What the include chooser needs of the window that includes: the set selector's text and the
// two buttons an included set enables.
class IncludeTarget {
public:
    [[nodiscard]] virtual QString SelectionText() const = 0;
    virtual void EnableRemove() = 0;
    virtual void EnableMakeTable() = 0;

protected:
    IncludeTarget() = default;
    ~IncludeTarget() = default;
    IncludeTarget(const IncludeTarget&) = default;
    IncludeTarget& operator=(const IncludeTarget&) = default;
};

}  // namespace glyphwright
