#pragma once

#include <QByteArray>
#include <QWidget>

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "FontSettings.h"
#include "SuggestionReader.h"
#include "core/table/Document.h"
#include "core/glyphs/FontView.h"
#include "core/glyphs/GlyphSuggestion.h"
#include "core/glyphs/TieBreak.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QToolButton;

namespace glyphwright {

class DocumentHistory;
class FontGrid;
class OpenGameFile;
class WindowQueries;

// "Font": the open game file as glyphs, 16 to a row, in the tile format, glyph size and tile
// order chosen, from an offset typed in hex or stepped by the keys and the wheel, at 1x to 8x.
// A glyph tied to its code (the anchor) gives every glyph its code; under each glyph the code and
// the character MAKE TABLE would write for it now, and a glyph's characters typed are stored at its
// code as a single entry. With Suggest on, each glyph is read on a thread of its own: the best
// guess under the glyph, and for the selected glyph the five guesses and a confidence, any of them
// stored as a single entry by a key; the best guesses of a range at once as one step. The settings
// and the anchor are the document's (the feature "font"). The close box hides it; it keeps its
// place and is shown again.
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

    // What was read in the glyph at `index` of the page, the game text's word taken; none while
    // it is being read, or with Suggest off.
    [[nodiscard]] std::optional<GlyphSuggestion> ReadingOf(int index) const;
    // The script the game text shows around `code`, where the table reads it.
    [[nodiscard]] KanaScript ScriptOf(TableCode code) const;
    // Whether glyphs are being read now.
    [[nodiscard]] bool Reading() const;

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
    // Draws the page decoded last, with its captions.
    void Redraw();
    void ShowSelection();

    // Reading the glyphs.
    void ReadingChosen();
    void ReadPage();
    void Heard(const std::vector<std::uint64_t>& keys,
               const std::vector<GlyphSuggestion>& suggestions, int done, int total);
    void ReadingEnded();
    void CancelReading();
    void ShowReading();
    void ReadText();
    void TextOffsetTyped();
    [[nodiscard]] SuggestionReader::Source Source() const;
    // Stores the characters at the selected glyph's code as a single entry and selects the next.
    bool Store(const QString& characters);
    bool Accept(std::size_t rank);
    void AcceptAbove();
    void TypeFromGrid(const QString& text);
    // The glyphs of the selected range, first and last; the selected glyph alone without one.
    [[nodiscard]] std::pair<int, int> Range() const;

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
    QCheckBox* reading_;
    QToolButton* repertoires_;
    std::vector<QAction*> repertoireActions_;  // in the order of FontSettings::kRepertoires
    QComboBox* reference_;
    QLineEdit* textAt_;
    QPushButton* acceptAbove_;
    QSpinBox* confidence_;
    QProgressBar* progress_;
    QPushButton* cancel_;
    QWidget* guessRow_;
    std::array<QPushButton*, 5> guesses_{};
    QLabel* readingShown_;
    SuggestionReader* reader_;
    std::vector<GlyphImage> page_;  // the glyphs decoded last
    // What was read, by glyph offset, for the format and source read with.
    std::map<std::uint64_t, GlyphSuggestion> readings_;
    GlyphFormat readFormat_;
    SuggestionReader::Source readSource_;
    std::vector<std::uint64_t> asked_;        // the glyphs of the reading under way
    std::optional<std::uint64_t> stoppedAt_;  // the page whose reading the user stopped
    QString readingFailure_;                  // why the reading could not begin
    // The script the game text shows around each code; all unknown without a text.
    std::array<KanaScript, kCodeCount> textScript_{};  // by one-byte code
    int rangeFrom_ = -1;          // where a range began; -1: none
    QString failure_;             // why the page could not be read, or empty
    int wheelAngle_ = 0;          // wheel turns not yet a whole step
    QByteArray place_;            // where the window was when last closed
    bool keeping_ = false;        // the window is telling the document its own settings
    bool taking_ = false;         // the controls are being set from the document
    bool redrawPending_ = false;  // the document changed; the page is drawn again next
};

}  // namespace glyphwright
