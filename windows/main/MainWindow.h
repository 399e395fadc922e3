#pragma once

#include <QString>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QFileDialog;

namespace Ui {
class frmGlyphwright;
}

namespace glyphwright {

class WindowManager;

inline constexpr std::string_view kOrderFullMessage =
    "The Table Order is full: it holds at most 1000 lines. Remove a line before adding another.";

// frmGlyphwright: the Table Order, the set selector, the start code and the commands. The
// dialogs read and change its controls through the members below.
class MainWindow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    explicit MainWindow(WindowManager& windows);
    ~MainWindow() override;

    [[nodiscard]] int OrderLineCount() const;
    [[nodiscard]] int SelectedOrderLine() const;  // 0-based; -1 when no line is selected
    [[nodiscard]] bool IsOrderFull() const;
    void AppendOrderLine(const QString& text);

    [[nodiscard]] QString SelectionText() const;  // the picked set name or whatever was typed

    void EnableRemove();
    void EnableMakeTable();

    // Shows cdgSaveFile, which remembers the file name chosen the time before.
    [[nodiscard]] std::optional<std::string> AskSavePath(const std::string& filter);

    // The Save dialog, made the first time it is needed: Qt's file dialog builds a file system
    // model and views, which would cost every start-up its time and memory.
    [[nodiscard]] QFileDialog& SaveDialog();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Load();
    void Include();
    void Remove();
    void MakeTableFromWindow();
    void OrderLineChosen();

    WindowManager& windows_;
    std::unique_ptr<Ui::frmGlyphwright> ui_;
    QFileDialog* cdgSaveFile_ = nullptr;
    QString lastSavePath_;
};

}  // namespace glyphwright
