#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class frmEnterHexNum;
}

namespace glyphwright {

class WindowManager;

// frmEnterHexNum: gives the selected Table Order line a start code of its own.
class RelativeStartDialog final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RelativeStartDialog)

public:
    explicit RelativeStartDialog(WindowManager& windows);
    ~RelativeStartDialog() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Accept();

    WindowManager& windows_;
    std::unique_ptr<Ui::frmEnterHexNum> ui_;
};

}  // namespace glyphwright
