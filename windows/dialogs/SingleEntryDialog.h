#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class frmInsertDTE;
}

namespace glyphwright {

class WindowManager;

// frmInsertDTE: puts typed characters on one code at once and lists them in the Table Order.
class SingleEntryDialog final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SingleEntryDialog)

public:
    explicit SingleEntryDialog(WindowManager& windows);
    ~SingleEntryDialog() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Insert();

    WindowManager& windows_;
    std::unique_ptr<Ui::frmInsertDTE> ui_;
};

}  // namespace glyphwright
