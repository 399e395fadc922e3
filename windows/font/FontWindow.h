#pragma once

#include <QByteArray>
#include <QWidget>

#include <cstdint>
#include <optional>

#include "core/glyphs/FontView.h"
#include "core/glyphs/GlyphSuggestion.h"
#include "core/glyphs/TieBreak.h"
#include "core/table/Document.h"

class QKeyEvent;
class QWheelEvent;

namespace glyphwright {

class DocumentHistory;
class FontLabelling;
class FontPage;
class FontReading;
class OpenGameFile;
class WindowQueries;

// "Font": the open game file as glyphs, 16 to a row, in the tile format, glyph size and tile
// order chosen, from an offset typed in hex or stepped by the keys and the wheel, at 1x to 8x.
// A glyph tied to its code (the anchor) gives every glyph its code; under each glyph the code and
// the character MAKE TABLE would write for it now, and a glyph's characters typed are stored at its
// code as a single entry. With Suggest on, each glyph is read on a thread of its own: the best
// guess under the glyph, and for the selected glyph the five guesses and a confidence, any of them
// stored as a single entry by a key; the best guesses of a range at once as one step. The settings
// and the anchor are the document's (the feature "font"): the window shows what the document
// holds and tells the document what the user changes. The close box hides it; it keeps its place
// and is shown again.
//
// The window is the frame and the keyboard; the page (FontPage), the reading (FontReading) and
// the labelling (FontLabelling) are parts of their own.
class FontWindow final : public QWidget, private DocumentObserver {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FontWindow)

public:
    FontWindow(DocumentHistory& history, OpenGameFile& game, WindowQueries& user,
               QWidget* parent = nullptr);
    ~FontWindow() override;

    // Shows the window where it was last, or brings it to the front when it is shown.
    void Present();

    [[nodiscard]] const FontView& View() const;
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
    // Shows the settings the document holds; whether the page shows anything else now.
    bool TakeSettings();
    // The page's place and look, as the user left them, into the document.
    void KeepPlace();
    void FileChanged();
    // The user moved the page or changed how it is drawn: read, draw and keep it.
    void PlaceChosen();
    void Step(FontView::Step step, std::int64_t count);
    bool Key(const QKeyEvent& key);
    bool Wheel(const QWheelEvent& wheel);
    // Reads and draws the page, and shows the offset and the selected glyph.
    void Refresh();
    // Draws the page decoded last, with its captions and guesses.
    void Redraw();
    void ShowSelection();
    void Accept(std::size_t rank);

    Document& document_;
    OpenGameFile& game_;
    WindowQueries& user_;
    FontPage* page_;
    FontReading* reading_;
    FontLabelling* labelling_;
    int wheelAngle_ = 0;          // wheel turns not yet a whole step
    QByteArray place_;            // where the window was when last closed
    bool redrawPending_ = false;  // the table changed; the page is drawn again next
};

}  // namespace glyphwright
