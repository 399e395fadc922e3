#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class frmPick;
}

namespace glyphwright {

class CommandRules;
class DocumentHistory;
class IncludeTarget;
class WindowQueries;

// frmPick: adds the selected set to the Table Order, or hands over to the single entry dialog.
class IncludeChooser final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(IncludeChooser)

public:
    IncludeChooser(DocumentHistory& history, IncludeTarget& target, CommandRules& rules,
                   WindowQueries& user);
    ~IncludeChooser() override;

signals:
    void singleEntryRequested();  // "Single Entry": the single entry dialog is to be shown
    void closeBoxPressed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void IncludeRelativeEntry();
    void IncludeSingleEntry();

    DocumentHistory& history_;
    IncludeTarget& target_;
    CommandRules& rules_;
    WindowQueries& user_;
    std::unique_ptr<Ui::frmPick> ui_;
};

}  // namespace glyphwright
