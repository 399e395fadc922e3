#pragma once

#include <QMainWindow>

#include <memory>

#include "IncludeTarget.h"
#include "core/table/Document.h"

namespace Ui {
class frmGlyphwright;
}

class QKeyEvent;

namespace glyphwright {

class CommandRules;
class DocumentHistory;
class OrderListModel;
class SetCatalogue;
class OrderSelection;
class ProjectSession;
class WindowQueries;

// frmGlyphwright: the Table Order, the set selector, the start code and the commands, with the
// menus of the tools beside them. It shows no other window itself: it asks for them.
class MainWindow final : public QMainWindow, public IncludeTarget, private DocumentObserver {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    MainWindow(DocumentHistory& history, ProjectSession& project, OrderListModel& lines,
               OrderSelection& selection, CommandRules& rules, WindowQueries& user);
    ~MainWindow() override;

    [[nodiscard]] QString SelectionText() const override;  // the picked set name or as typed

signals:
    void includeRequested();         // INCLUDE
    void orderLineChosen();          // the user chose a line of the Table Order in the list
    void exitRequested();            // EXIT, or File > Exit
    void closeBoxPressed();          // the window's close box: the program ends without questions
    void openGameFileRequested();    // File > Open Game File…
    void codeMapRequested();         // View > Code Map
    void gameTextRequested();        // View > Game Text
    void fontRequested();            // View > Font
    void relativeSearchRequested();  // Tools > Relative Search…
    void characterSetsRequested();   // Tools > Character Sets…
    void findDictionaryRequested();  // Tools > Find Dictionary…
    void findFontRequested();        // Tools > Find Font…
    void controlCodeRequested();     // Edit > Control Code…

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void DocumentAboutToChange(const DocumentChange&) override {}
    void DocumentChanged(const DocumentChange& change) override;
    void AddEditMenu();
    void AddProjectActions();
    void ImportTableFromUser();
    void ShowTitle();
    // REMOVE and MAKE TABLE as the rules allow them now.
    void FollowRules();
    // The start code box as the document has it.
    void ShowStartCode();
    void StartCodeTyped(const QString& text);
    void Load();
    void FillSetSelector();
    // The user's sets changed: Select Table Set lists them anew.
    void SetsChanged();
    void Remove();
    void MakeTableFromWindow();
    void About();
    void SelectionChanged();
    void LinePressed();
    void LineClicked();
    bool MoveKeyChoosesCurrentLine(const QKeyEvent& key);

    DocumentHistory& history_;
    Document& document_;
    ProjectSession& project_;
    QString classicTitle_;
    OrderSelection& selection_;
    CommandRules& rules_;
    WindowQueries& user_;
    std::unique_ptr<Ui::frmGlyphwright> ui_;
    // A press that changed the selection was answered when the selection changed; its click
    // must not answer it again.
    bool selectionChangedSincePress_ = false;
    bool pressChangedSelection_ = false;
    bool showing_ = false;  // the start code box is being given the document's text
};

}  // namespace glyphwright
