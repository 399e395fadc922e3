#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QThreadPool>

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "FontSettings.h"
#include "StreamUnpackJob.h"
#include "core/game/GameFile.h"
#include "core/glyphs/FontView.h"
#include "core/glyphs/GlyphImage.h"

class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QScrollArea;
class QSpinBox;

namespace glyphwright {

class FontGrid;

// The Font window's page: the game file's glyphs from an offset, in the tile format, glyph size
// and tile order chosen, at 1x to 8x, the glyph selected and a range of them. Its controls show
// the document's font settings; what the user changes there is told by `placeChosen`, for the
// window to keep in the document. The keys and the wheel are the window's; they move the page
// through Step() and the selection through the view.
//
// A packed font's stream is unpacked on a thread of its own: meanwhile the page is empty, says
// so, and keeps the offset asked for; `sourceRead` tells when the glyphs are there (or why not).
// A stream asked for later supersedes one still unpacking, which is then never shown.
class FontPage final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FontPage)

public:
    static constexpr int kMaxZoom = 8;

    explicit FontPage(QObject* parent = nullptr);
    ~FontPage() override;

    [[nodiscard]] FontView& View() { return view_; }
    [[nodiscard]] const FontView& View() const { return view_; }
    [[nodiscard]] FontGrid& Grid() const { return *grid_; }
    [[nodiscard]] QScrollArea& Scroller() const { return *scroller_; }
    [[nodiscard]] QLabel& FileLabel() const { return *file_; }
    [[nodiscard]] QLabel& Status() const { return *status_; }
    [[nodiscard]] QComboBox& CompressionBox() const { return *compression_; }
    // How the font is stored now, and where its stream starts when it is packed.
    [[nodiscard]] Compression Packing() const { return packing_; }
    [[nodiscard]] std::uint64_t Stream() const { return stream_; }
    // Whether the stream is being unpacked now.
    [[nodiscard]] bool Unpacking() const { return unpacking_ != nullptr; }
    // The format, size, order, compression, offset and zoom controls, in a row.
    [[nodiscard]] QHBoxLayout* ControlRow() const { return controls_; }
    // The glyphs decoded last.
    [[nodiscard]] const std::vector<GlyphImage>& Glyphs() const { return glyphs_; }
    [[nodiscard]] int Zoom() const;

    // Shows the place and look the settings hold, and codes by their anchor; whether the page
    // shows anything else now, and must be read again.
    bool Take(const FontSettings& settings);
    // Where the page is and how it is drawn, into `settings`.
    void Put(FontSettings& settings) const;
    // Another game file, the first glyph selected; the offset is taken again after it.
    void SetFile(const std::optional<GameFile>& file);

    // Reads the page at the view's offset and shows the offset.
    void Decode();
    // Draws the glyphs decoded last with their captions and guesses, one a glyph (or none).
    void Draw(const QStringList& captions, const QStringList& guesses);
    // Marks the selected glyph and range and says in the status what is selected.
    void ShowSelection();

    // The user moves the page by bytes, glyphs, rows or pages, or the selection; a range
    // selected is let go. The caller reads and draws the page again, or shows the selection.
    void Step(FontView::Step step, std::int64_t count);
    // Whether the page moved with the selection.
    bool MoveSelection(int across, int down);
    // The whole page as the range.
    void SelectWholePage();
    void ZoomBy(int change);
    // The glyphs of the selected range, first and last; the selected glyph alone without one.
    [[nodiscard]] std::pair<int, int> Range() const;

signals:
    // The user changed the format, the offset or the zoom: read and draw the page, and keep.
    void placeChosen();
    // A glyph was clicked: the selection moved.
    void selectionMoved();
    // The stream asked for is unpacked, or failed to: read and draw the page again.
    void sourceRead();

private:
    // A click: with Shift the range grows from the glyph selected before.
    void Click(int index, bool extend);
    void FormatChosen();
    void CompressionChosen();
    void OffsetTyped();
    // Reads the glyphs from the file, or starts unpacking the stream, as the packing says.
    void LoadSource();
    // The stream asked for last is unpacked, or failed to.
    void Unpacked();
    // The page at `offset`; while the stream unpacks, once it is done.
    void PlaceAt(std::uint64_t offset);
    // The offset the page shows, or will once the stream is unpacked.
    [[nodiscard]] std::uint64_t PlaceShown() const;
    // The offset box: the page's offset, or a packed font's stream.
    void ShowOffset();
    // The sizes the tile format allows, and its order where it has one.
    void FitSizes(TileFormat tiles);

    FontView view_;
    QLabel* file_;
    QComboBox* format_;
    QSpinBox* width_;
    QSpinBox* height_;
    QComboBox* order_;
    QComboBox* compression_;
    QLineEdit* offset_;
    QSpinBox* zoom_;
    QScrollArea* scroller_;
    FontGrid* grid_;
    QLabel* status_;
    QHBoxLayout* controls_;
    std::vector<GlyphImage> glyphs_;
    QString failure_;     // why the page could not be read, or empty
    Compression packing_ = Compression::None;
    std::uint64_t stream_ = 0;  // where the packed stream starts in the file
    QString streamFailure_;     // why the stream does not unpack, or empty
    // One unpack at a time: a stream asked for waits for the one before to end. Declared before
    // the job, so that the pool, which waits for a superseded unpack, goes last.
    QThreadPool unpackPool_;
    std::unique_ptr<StreamUnpackJob> unpacking_;  // the stream being unpacked, or none
    std::uint64_t wantedOffset_ = 0;              // the page's offset once it is
    int rangeFrom_ = -1;  // where a range began; -1: none
    // The anchor the codes under the glyphs come from, as last taken.
    std::optional<FontAnchor> anchor_;
    CodeOrder order16_ = CodeOrder::BigEndian;
};

}  // namespace glyphwright
