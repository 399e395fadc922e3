#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class frmPick;
}

namespace glyphwright {

class WindowManager;

// frmPick: adds the selected set to the Table Order, or hands over to the single entry dialog.
class IncludeChooser final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(IncludeChooser)

public:
    explicit IncludeChooser(WindowManager& windows);
    ~IncludeChooser() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void IncludeRelativeEntry();
    void IncludeSingleEntry();

    WindowManager& windows_;
    std::unique_ptr<Ui::frmPick> ui_;
};

}  // namespace glyphwright
