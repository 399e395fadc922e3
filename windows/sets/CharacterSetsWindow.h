#pragma once

#include <QWidget>

#include "core/table/Document.h"

#include <optional>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace glyphwright {

class SetCatalogue;
class WindowQueries;
struct UserSet;

// Tools > Character Sets…: every set listed, the user's own made, edited, renamed, duplicated,
// deleted, imported and exported. The sets are kept in the set file at `setsPath` (none when
// empty) after every change; a set that a line of the Table Order uses keeps its name. Every
// change is announced through the document, so that what is laid from the order is laid again.
class CharacterSetsWindow final : public QWidget, private DocumentObserver {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CharacterSetsWindow)

public:
    CharacterSetsWindow(SetCatalogue& sets, Document& document, std::string setsPath,
                        WindowQueries& user);
    ~CharacterSetsWindow() override;

private:
    void DocumentAboutToChange(const DocumentChange&) override {}
    // Sets that came from elsewhere (a project opened) join the list; the editor keeps its text.
    void DocumentChanged(const DocumentChange& change) override;
    void Fill(int current);
    void Show(int row);
    void NewSet();
    void Duplicate();
    void Save();
    void Delete();
    void Import();
    void Export();
    // Puts `sets` in place of the user's sets and keeps them; false, with the user told why,
    // when they fail a check or cannot be kept.
    bool Replace(std::vector<UserSet> sets, int current);
    [[nodiscard]] std::optional<std::size_t> UserIndex(int row) const;
    [[nodiscard]] bool InUse(const std::string& name) const;
    void Tell(const QString& text);

    SetCatalogue& sets_;
    Document& document_;  // its order keeps the sets it uses; it tells the views of a change
    std::string setsPath_;
    WindowQueries& user_;
    bool drafting_ = false;  // the editor holds a new set, not yet in the list
    QListWidget* list_;
    QLineEdit* name_;
    QPlainTextEdit* members_;
    QCheckBox* perLine_;
    QLabel* status_;
    QPushButton* save_;
    QPushButton* delete_;
};

}  // namespace glyphwright
