#pragma once

#include "WindowQueries.h"

namespace glyphwright {

class WindowManager;

// The real modal boxes: an input box, the main window's Save dialog and message boxes, all
// modal to the whole program except the Save dialog, which is modal to the main window.
class QtQueries final : public WindowQueries {
public:
    QtQueries() = default;
    ~QtQueries() override = default;
    QtQueries(const QtQueries&) = delete;
    QtQueries& operator=(const QtQueries&) = delete;

    // The Save dialog belongs to the main window; the windows are made after this object.
    void UseWindows(WindowManager& windows) { windows_ = &windows; }

    [[nodiscard]] std::optional<std::string> AskText(const std::string& prompt,
                                                     const std::string& title) override;
    [[nodiscard]] std::optional<std::string> AskSavePath(const std::string& filter) override;
    void ShowMessage(const std::string& title, const std::string& text, MessageIcon icon) override;
    [[nodiscard]] bool AskYesNo(const std::string& title, const std::string& text,
                                MessageIcon icon) override;

private:
    WindowManager* windows_ = nullptr;
};

}  // namespace glyphwright
