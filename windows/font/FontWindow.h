#pragma once

#include <QByteArray>
#include <QWidget>

#include <cstdint>

#include "core/FontView.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QScrollArea;
class QSpinBox;

namespace glyphwright {

class FontGrid;
class OpenGameFile;

// "Font": the open game file as glyphs, 16 to a row, in the tile format, glyph size and tile
// order chosen, from an offset typed in hex or stepped by the keys and the wheel, at 1x to 8x.
// It only looks. The close box hides it; it keeps its settings and place and is shown again.
class FontWindow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FontWindow)

public:
    static constexpr int kMaxZoom = 8;

    explicit FontWindow(OpenGameFile& game, QWidget* parent = nullptr);
    ~FontWindow() override;

    // Shows the window where it was last, or brings it to the front when it is shown.
    void Present();

    [[nodiscard]] const FontView& View() const { return view_; }
    // Where the code for each glyph comes from; none: no codes shown.
    void SetCodeForGlyph(FontView::CodeForGlyph codeForGlyph);

signals:
    void openRequested();  // the platform's Open key

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FileChanged();
    void FormatChosen();
    void OffsetTyped();
    void Step(FontView::Step step, std::int64_t count);
    void Zoom(int change);
    bool Key(const QKeyEvent& key);
    bool Wheel(const QWheelEvent& wheel);
    // Reads and draws the page, and shows the offset and the selected glyph.
    void Refresh();
    void ShowSelection();

    OpenGameFile& game_;
    FontView view_;
    QLabel* file_;
    QComboBox* format_;
    QSpinBox* width_;
    QSpinBox* height_;
    QComboBox* order_;
    QLineEdit* offset_;
    QSpinBox* zoom_;
    QScrollArea* scroller_;
    FontGrid* grid_;
    QLabel* status_;
    QString failure_;     // why the page could not be read, or empty
    int wheelAngle_ = 0;  // wheel turns not yet a whole step
    QByteArray place_;    // where the window was when last closed
};

}  // namespace glyphwright
