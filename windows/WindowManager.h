#pragma once

#include <QObject>
#include <QPointer>

#include <string>
#include <vector>

class QWidget;

namespace glyphwright {

class CharacterSetsWindow;
class CodeMapWindow;
class CommandRules;
class Document;
class DocumentHistory;
class FindDictionaryWindow;
class FindFontWindow;
class FontWindow;
class IncludeChooser;
class GameTextWindow;
class MainWindow;
class OpenGameFile;
class OrderListModel;
class OrderSelection;
class ProjectSession;
class RelativeSearchWindow;
class RelativeStartDialog;
class SetCatalogue;
class SingleEntryDialog;
class ControlCodeDialog;
class WindowQueries;

// What the windows are made with: the state of the run and the modal boxes. Made at start-up,
// before any window, and outliving them all.
struct WindowServices {
    Document& document;
    DocumentHistory& history;
    ProjectSession& project;
    SetCatalogue& sets;  // the user's sets are edited here; the document announces the change
    OrderListModel& lines;
    OrderSelection& selection;
    WindowQueries& user;
    OpenGameFile& gameFile;
    CommandRules& rules;          // when REMOVE and MAKE TABLE may be used
    const std::string& setsPath;  // where the user's sets are kept; empty: nowhere
};

// Creates, shows, hides and destroys the program's windows. Each exists at most once, is made
// (hidden) the first time it is shown, and has no parent: every window is modeless and ownerless.
class WindowManager final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WindowManager)

public:
    explicit WindowManager(WindowServices services);
    ~WindowManager() override;

    // Creates the main window (its load fills the set selector) and shows it.
    void Start();

    // The windows that exist now; nullptr for one that does not.
    [[nodiscard]] RelativeSearchWindow* Search() const;  // frmRelativeSearch
    [[nodiscard]] GameTextWindow* Text() const;          // frmGameText
    [[nodiscard]] MainWindow* Main() const;
    [[nodiscard]] IncludeChooser* PickDialog() const;          // frmPick
    [[nodiscard]] SingleEntryDialog* InsertDteDialog() const;  // frmInsertDTE
    [[nodiscard]] RelativeStartDialog* EnterHexNum() const;
    [[nodiscard]] CodeMapWindow* Map() const;                // frmCodeMap
    [[nodiscard]] FontWindow* Font() const;                  // "Font"
    [[nodiscard]] CharacterSetsWindow* Sets() const;         // frmCharacterSets
    [[nodiscard]] ControlCodeDialog* ControlCode() const;    // frmControlCode
    [[nodiscard]] FindDictionaryWindow* Dictionary() const;  // frmFindDictionary
    [[nodiscard]] FindFontWindow* FindFont() const;          // frmFindFont

    // Shows without blocking, making the window first if it does not exist; a window already
    // shown stays as it is, contents and all. Nothing is made once the program is ending.
    void ShowPick();
    void ShowInsertDte();
    void ShowEnterHexNum();
    // The code map is made once and then only hidden and shown again, at the place it had: its
    // close box hides it, and the exit sequence destroys it with the others.
    void ShowCodeMap();
    // The Font window, likewise made once and then hidden and shown again with its settings.
    void ShowFont();

    // The relative search and the game text are made once and then only hidden and shown again,
    // keeping what they show: their close boxes hide them.
    void ShowRelativeSearch();
    // Tools > Character Sets…: made once, then hidden and shown again like the search.
    void ShowCharacterSets();
    void ShowGameText();
    // Edit > Control Code…: made once, then hidden and shown again like the single entry dialog.
    void ShowControlCode();
    // Tools > Find Dictionary…: made once, then hidden and shown again with what it found.
    void ShowFindDictionary();
    // Tools > Find Font…: made once, then hidden and shown again with what it found; a font
    // opened from it shows the Font window.
    void ShowFindFont();

    // File > Open Game File…; once a file is open, the relative search is shown.
    void OpenGameFileFromUser();

    // Takes the window off the screen and lets it go once control is back in the event loop:
    // for a window whose own action is still running (Cancel, the close box). From now on it
    // no longer counts as existing and the next show makes it anew.
    void Discard(QWidget& window);

    // Destroys the window at once; never for a window whose own code is on the stack.
    void Destroy(QWidget& window);

    // The windows that exist now, shown or hidden, in the order they were created.
    [[nodiscard]] std::vector<QWidget*> ExistingWindows() const;
    [[nodiscard]] std::vector<QWidget*> ExistingWindowsNewestFirst() const;

    // Destroys every window still there, newest first; from now on no window is made.
    void CloseAll();

    // CloseAll, then announces the end of the program.
    void End();

signals:
    // Every window is gone: the program ends.
    void ended();

private:
    template <class Window, class... Arguments>
    Window* Make(QPointer<Window>& slot, Arguments&&... arguments);
    void Forget(QWidget& window);

    WindowServices services_;
    bool ending_ = false;
    QPointer<MainWindow> main_;
    QPointer<IncludeChooser> pick_;
    QPointer<RelativeSearchWindow> search_;
    QPointer<GameTextWindow> gameText_;
    QPointer<SingleEntryDialog> insertDte_;
    QPointer<RelativeStartDialog> enterHexNum_;
    QPointer<CodeMapWindow> codeMap_;
    QPointer<FontWindow> font_;
    QPointer<CharacterSetsWindow> characterSets_;
    QPointer<ControlCodeDialog> controlCode_;
    QPointer<FindDictionaryWindow> findDictionary_;
    QPointer<FindFontWindow> findFont_;
    std::vector<QPointer<QWidget>> created_;  // creation order
};

}  // namespace glyphwright
