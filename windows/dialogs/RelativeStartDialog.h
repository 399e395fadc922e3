#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class frmEnterHexNum;
}

namespace glyphwright {

class DocumentHistory;
class OrderSelection;
class WindowQueries;

// frmEnterHexNum: gives the selected Table Order line a start code of its own: one hex byte, or
// four digits for a two-byte code.
class RelativeStartDialog final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RelativeStartDialog)

public:
    RelativeStartDialog(DocumentHistory& history, const OrderSelection& selection,
                        WindowQueries& user);
    ~RelativeStartDialog() override;

signals:
    void closeBoxPressed();  // the close box or "Cancel"

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Accept();

    DocumentHistory& history_;
    const OrderSelection& selection_;
    WindowQueries& user_;
    std::unique_ptr<Ui::frmEnterHexNum> ui_;
};

}  // namespace glyphwright
