#pragma once

#include <string>

#include "UserQueries.h"

namespace glyphwright {

// The modal boxes the windows need on top of those of the table command.
class WindowQueries : public UserQueries {
public:
    // Message box with Yes (the default) and No: true for Yes.
    [[nodiscard]] virtual bool AskYesNo(const std::string& title, const std::string& text,
                                        MessageIcon icon) = 0;
};

}  // namespace glyphwright
