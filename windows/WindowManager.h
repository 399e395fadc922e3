#pragma once

#include <QObject>
#include <QPointer>

#include <vector>

#include "WindowQueries.h"
#include "core/Workspace.h"

class QWidget;

namespace glyphwright {

class MainWindow;
class IncludeChooser;
class SingleEntryDialog;
class RelativeStartDialog;

// Owns the program's four windows. Each exists at most once, is created (hidden) the first time
// it is asked for, and has no parent: every window is modeless and ownerless. The workspace and
// the modal boxes are handed to the windows through here.
class WindowManager final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WindowManager)

public:
    WindowManager(Workspace& workspace, WindowQueries& queries);
    ~WindowManager() override;

    // Creates the main window (its load fills the set selector) and shows it.
    void Start();

    [[nodiscard]] MainWindow& Main();
    [[nodiscard]] IncludeChooser& Pick();
    [[nodiscard]] SingleEntryDialog& InsertDte();
    [[nodiscard]] RelativeStartDialog& EnterHexNum();

    // Shows without blocking; a window already shown stays as it is, contents and all.
    static void Show(QWidget& window);

    // Takes the window off the screen and lets it go once control is back in the event loop:
    // for a window whose own action is still running (Cancel, the close box). From now on it
    // no longer counts as existing and the next use creates it anew.
    void Discard(QWidget& window);

    // Destroys the window at once; never for a window whose own code is on the stack.
    void Destroy(QWidget& window);

    // The windows that exist now, shown or hidden, in the order they were created.
    [[nodiscard]] std::vector<QWidget*> ExistingWindows() const;
    [[nodiscard]] std::vector<QWidget*> ExistingWindowsNewestFirst() const;

    // Destroys every window still there, newest first, and announces the end of the program.
    void End();

    [[nodiscard]] Workspace& workspace() { return workspace_; }
    [[nodiscard]] WindowQueries& queries() { return queries_; }

signals:
    // Every window is gone: the program ends.
    void ended();

private:
    template <class Window>
    Window& Obtain(QPointer<Window>& slot);
    void Forget(QWidget& window);

    Workspace& workspace_;
    WindowQueries& queries_;
    QPointer<MainWindow> main_;
    QPointer<IncludeChooser> pick_;
    QPointer<SingleEntryDialog> insertDte_;
    QPointer<RelativeStartDialog> enterHexNum_;
    std::vector<QPointer<QWidget>> created_;  // creation order
};

}  // namespace glyphwright
