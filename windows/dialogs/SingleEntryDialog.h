#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class frmInsertDTE;
}

namespace glyphwright {

class DocumentHistory;
class WindowQueries;

// frmInsertDTE: puts typed characters on one code at once and lists them in the Table Order.
class SingleEntryDialog final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SingleEntryDialog)

public:
    SingleEntryDialog(DocumentHistory& history, WindowQueries& user);
    ~SingleEntryDialog() override;

signals:
    void closeBoxPressed();  // the close box or "Cancel"

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Insert();

    DocumentHistory& history_;
    WindowQueries& user_;
    std::unique_ptr<Ui::frmInsertDTE> ui_;
    bool shownBefore_ = false;
};

}  // namespace glyphwright
