#pragma once

#include <QByteArray>
#include <QWidget>

#include <cstdint>

#include "FontSettings.h"
#include "core/Document.h"
#include "core/FontView.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QScrollArea;
class QSpinBox;

namespace glyphwright {

class DocumentHistory;
class FontGrid;
class OpenGameFile;
class WindowQueries;

// "Font": the open game file as glyphs, 16 to a row, in the tile format, glyph size and tile
// order chosen, from an offset typed in hex or stepped by the keys and the wheel, at 1x to 8x.
// A glyph tied to its code (the anchor) gives every glyph its code; under each glyph the code and
// the character MAKE TABLE would write for it now, and a glyph's characters typed are stored at its
// code as a single entry. The settings and the anchor are the document's (the feature "font").
// The close box hides it; it keeps its place and is shown again.
class FontWindow final : public QWidget, private DocumentObserver {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FontWindow)

public:
    static constexpr int kMaxZoom = 8;

    FontWindow(DocumentHistory& history, OpenGameFile& game, WindowQueries& user,
               QWidget* parent = nullptr);
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
    void DocumentAboutToChange(const DocumentChange&) override {}
    void DocumentChanged(const DocumentChange& change) override;
    // Shows the settings the document holds, and the codes of the anchor there.
    void TakeSettings();
    // Keeps the settings shown in the document, where no undo reaches: looking is no change.
    void KeepSettings();
    void AnchorTyped();
    void LabelTyped();
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

    DocumentHistory& history_;
    Document& document_;
    OpenGameFile& game_;
    WindowQueries& user_;
    FontView view_;
    FontSettings settings_;
    QLabel* file_;
    QComboBox* format_;
    QSpinBox* width_;
    QSpinBox* height_;
    QComboBox* order_;
    QLineEdit* offset_;
    QSpinBox* zoom_;
    QLineEdit* anchor_;
    QLineEdit* label_;
    QScrollArea* scroller_;
    FontGrid* grid_;
    QLabel* status_;
    QString failure_;       // why the page could not be read, or empty
    int wheelAngle_ = 0;    // wheel turns not yet a whole step
    QByteArray place_;      // where the window was when last closed
    bool keeping_ = false;  // the window is telling the document its own settings
    bool taking_ = false;   // the controls are being set from the document
};

}  // namespace glyphwright
