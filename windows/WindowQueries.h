#pragma once

#include <optional>
#include <string>
#include <vector>

namespace glyphwright {

enum class MessageIcon { None, Exclamation };

// The modal boxes of the windows. The program answers them with real boxes; tests answer them
// from a script.
class WindowQueries {
public:
    virtual ~WindowQueries() = default;

    // Input box: the typed text on OK (possibly empty), nullopt on Cancel.
    [[nodiscard]] virtual std::optional<std::string> AskText(const std::string& prompt,
                                                             const std::string& title) = 0;

    // The main window's Save-as dialog with these file-type filters, the first one the default,
    // offering `offered` (a path, or a name in the dialog's folder) or, when that is empty, the
    // file last saved with these filters: the chosen path exactly as the dialog gives it and the
    // filter chosen, as given; nullopt on Cancel.
    struct SaveAnswer {
        std::string path;
        std::string filter;
    };
    [[nodiscard]] virtual std::optional<SaveAnswer> AskSavePath(
        const std::vector<std::string>& filters, const std::string& offered) = 0;

    // The open-file dialog with this title, modal to the main window: the chosen path exactly as
    // the dialog gives it; nullopt on Cancel.
    [[nodiscard]] virtual std::optional<std::string> AskOpenPath(const std::string& title) = 0;

    // The same open dialog with these file-type filters, the first one the default: the chosen
    // path exactly as the dialog gives it and the filter chosen, as given; nullopt on Cancel.
    struct OpenAnswer {
        std::string path;
        std::string filter;
    };
    [[nodiscard]] virtual std::optional<OpenAnswer> AskOpenPathOfType(
        const std::string& title, const std::vector<std::string>& filters) = 0;

    // Message box with a single OK button.
    virtual void ShowMessage(const std::string& title, const std::string& text,
                             MessageIcon icon) = 0;

    // Message box with Yes (the default) and No: true for Yes.
    [[nodiscard]] virtual bool AskYesNo(const std::string& title, const std::string& text,
                                        MessageIcon icon) = 0;

    // Message box with Save (the default), Discard and Cancel.
    enum class Choice { Save, Discard, Cancel };
    [[nodiscard]] virtual Choice AskSaveDiscardCancel(const std::string& title,
                                                      const std::string& text) = 0;

protected:
    WindowQueries() = default;
    WindowQueries(const WindowQueries&) = default;
    WindowQueries& operator=(const WindowQueries&) = default;
};

}  // namespace glyphwright
