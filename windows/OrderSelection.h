#pragma once

#include <QItemSelectionModel>

namespace glyphwright {

class OrderListModel;

// Which line of the Table Order is selected, shared by lstTblInfo and every window that acts on
// "the selected line". A line chosen by the program (from the code map, say) is selected
// quietly: only the user's own choice in the list opens the relative start dialog.
class OrderSelection final : public QItemSelectionModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OrderSelection)

public:
    explicit OrderSelection(OrderListModel& model, QObject* parent = nullptr);
    ~OrderSelection() override = default;

    // 0-based; -1 when no line is selected.
    [[nodiscard]] int SelectedLine() const;

    // Selects `line` (or nothing, for -1) and makes it current, without it counting as the
    // user's choice.
    void SelectQuietly(int line);
    [[nodiscard]] bool IsQuiet() const { return quiet_; }

private:
    bool quiet_ = false;
};

}  // namespace glyphwright
