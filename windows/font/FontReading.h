#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "FontSettings.h"
#include "SuggestionReader.h"
#include "core/glyphs/GlyphSuggestion.h"
#include "core/glyphs/TieBreak.h"
#include "core/table/Workspace.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QToolButton;
class QWidget;

namespace glyphwright {

class Document;
class FontView;

// The Font window's reading of the glyphs: with Suggest on, each page is read on a thread of its
// own against the repertoires and the reference face the document's font settings name; the game
// text, from where the user says it lies, tells hiragana from katakana where the two look alike.
// It shows the selected glyph's five guesses and what was read; what the user chooses here it
// keeps in the document.
class FontReading final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FontReading)

public:
    static constexpr int kGuesses = 5;

    FontReading(Document& document, const FontView& view, QObject* parent = nullptr);
    ~FontReading() override;

    // The controls: Suggest, the repertoires, the face, where the text lies.
    [[nodiscard]] QCheckBox& Switch() const { return *on_; }
    [[nodiscard]] QToolButton& Repertoires() const { return *repertoires_; }
    [[nodiscard]] QComboBox& Reference() const { return *reference_; }
    [[nodiscard]] QLineEdit& TextAt() const { return *textAt_; }
    [[nodiscard]] QProgressBar& Progress() const { return *progress_; }
    [[nodiscard]] QPushButton& Stop() const { return *cancel_; }
    // The five guesses and what was read of the selected glyph.
    [[nodiscard]] QWidget& GuessRow() const { return *guessRow_; }
    [[nodiscard]] QPushButton& Guess(int rank) const {
        return *guesses_[static_cast<std::size_t>(rank)];
    }

    [[nodiscard]] bool On() const;
    [[nodiscard]] bool Busy() const { return reader_->Busy(); }
    // What was read in the glyph at `index` of the page, the game text's word taken; none while
    // it is being read, or with Suggest off.
    // Where the glyph's pixels leave it unsure, the game text may have decided it.
    [[nodiscard]] std::optional<GlyphSuggestion> Of(int index) const;
    // The best guess for the glyph at `index`; empty where there is none.
    [[nodiscard]] QString BestOf(int index) const;
    // The script the game text shows around `code`, where the table reads it.
    [[nodiscard]] KanaScript ScriptOf(TableCode code) const;

    // Shows the reading settings held; whether they differ from those shown.
    bool Take(const FontSettings::Reading& reading);
    // Reads the glyphs of the page not read yet; stops reading with Suggest off.
    void Read(const std::vector<GlyphImage>& page);
    void Cancel();
    // What was read is of another file now.
    void Forget();
    // Reads the game text again, through the table as it is now.
    void ReadText();
    // The guesses and what was read of the selected glyph.
    void Show();

signals:
    // Glyphs were read, or the reading settings changed: the page is drawn again.
    void heard();
    // The reading ended or stopped: the selection is shown again.
    void ended();

private:
    // The reading settings as the controls show them.
    [[nodiscard]] FontSettings::Reading Shown() const;
    void Chosen();
    void TextOffsetTyped();
    void Heard(const std::vector<std::uint64_t>& keys,
               const std::vector<GlyphSuggestion>& suggestions, int done, int total);
    void Ended();
    [[nodiscard]] SuggestionReader::Source Source() const;
    void ShowProgress(bool shown);
    // Decides the glyphs read so far that the pixels leave unsure by the game text.
    void Decide();

    Document& document_;
    const FontView& view_;
    QCheckBox* on_;
    QToolButton* repertoires_;
    std::vector<QAction*> repertoireActions_;  // in the order of FontSettings::kRepertoires
    QComboBox* reference_;
    QLineEdit* textAt_;
    QProgressBar* progress_;
    QPushButton* cancel_;
    QWidget* guessRow_;
    std::array<QPushButton*, kGuesses> guesses_{};
    QLabel* shown_;
    SuggestionReader* reader_;
    // What was read, by glyph offset, for the format and source read with.
    std::map<std::uint64_t, GlyphSuggestion> readings_;
    GlyphFormat readFormat_;
    std::uint64_t readBytes_ = 0;  // the view's source read from
    SuggestionReader::Source readSource_;
    std::vector<std::uint64_t> asked_;        // the glyphs of the reading under way
    std::optional<std::uint64_t> stoppedAt_;  // the page whose reading the user stopped
    QString failure_;                         // why the reading could not begin
    // The script the game text shows around each code; all unknown without a text.
    std::array<KanaScript, kCodeCount> textScript_{};  // by one-byte code
    std::vector<std::uint8_t> text_;                    // the game text's bytes; none without
    CodeTable textTable_{};                             // the table it was read through
    // The readings the game text decided, by glyph offset.
    std::map<std::uint64_t, GlyphSuggestion> byText_;
};

}  // namespace glyphwright
