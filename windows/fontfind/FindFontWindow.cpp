#include "FindFontWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <variant>

#include "DocumentHistory.h"
#include "FindFontMessages.h"
#include "FontFindJob.h"
#include "GameFileMessages.h"
#include "HexText.h"
#include "OpenGameFile.h"
#include "StreamListModel.h"
#include "core/table/DocumentCommand.h"
#include "font/FontGrid.h"
#include "font/FontSettings.h"

namespace glyphwright {

namespace {

constexpr int kStripZoom = 2;

QString Name(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// The candidate's first glyphs in a row, a pixel apart, as the Font window draws them.
QPixmap Strip(const std::vector<GlyphImage>& glyphs, const GlyphFormat& format) {
    const int width = format.Width();
    const int height = format.Height();
    const int count = static_cast<int>(kFirstGlyphsDrawn);
    QImage strip(count * (width + 1) + 1, height + 2, QImage::Format_RGB32);
    strip.fill(FontGrid::PageColour());
    for (int i = 0; i < static_cast<int>(glyphs.size()); ++i) {
        const GlyphImage& glyph = glyphs[static_cast<std::size_t>(i)];
        for (int y = 0; y < glyph.height; ++y) {
            for (int x = 0; x < glyph.width; ++x) {
                strip.setPixel(1 + i * (width + 1) + x, 1 + y, FontGrid::InkColour(glyph.at(x, y)));
            }
        }
    }
    return QPixmap::fromImage(strip.scaled(strip.size() * kStripZoom));
}

QString FormatText(const GlyphFormat& format) {
    QString text = Name(TileFormatName(format.Tiles())) + u' ' +
                   QString::fromStdString(GlyphSizeName(format.Width(), format.Height()));
    if (format.Order() == TileOrder::Down) text += u' ' + Name(TileOrderName(format.Order()));
    return text;
}

QString WhereText(const FontCandidate& candidate) {
    const QString at = HexNumber(candidate.offset, 1);
    const QString format = FormatText(candidate.format);
    const auto count = static_cast<unsigned long long>(candidate.count);
    if (candidate.compression == Compression::None) {
        return FindFontMessages::CandidateRaw(at, format, count);
    }
    return FindFontMessages::CandidatePacked(Name(CompressionName(candidate.compression)), at,
                                             format, count);
}

}  // namespace

FindFontWindow::FindFontWindow(DocumentHistory& history, OpenGameFile& game)
    : history_(history),
      game_(game),
      status_(new QLabel),
      progress_(new QProgressBar),
      find_(new QPushButton(FindFontMessages::FindButton())),
      stop_(new QPushButton(FindFontMessages::StopButton())),
      open_(new QPushButton(FindFontMessages::OpenButton())),
      tabs_(new QTabWidget),
      candidateTable_(new QTableWidget(0, 3)),
      streamTable_(new QTableView),
      streams_(new StreamListModel(this)) {
    setObjectName(QStringLiteral("frmFindFont"));
    setWindowTitle(FindFontMessages::WindowTitle());
    status_->setObjectName(QStringLiteral("lblStatus"));
    status_->setWordWrap(true);
    status_->setTextFormat(Qt::PlainText);
    progress_->setObjectName(QStringLiteral("barProgress"));
    progress_->setRange(0, 100);
    progress_->setValue(0);
    find_->setObjectName(QStringLiteral("cmdFind"));
    stop_->setObjectName(QStringLiteral("cmdStop"));
    open_->setObjectName(QStringLiteral("cmdOpen"));
    tabs_->setObjectName(QStringLiteral("tabFound"));
    candidateTable_->setObjectName(QStringLiteral("tblCandidates"));
    streamTable_->setObjectName(QStringLiteral("tblStreams"));

    candidateTable_->setHorizontalHeaderLabels({FindFontMessages::ScoreColumn(),
                                                FindFontMessages::GlyphsColumn(),
                                                FindFontMessages::WhereColumn()});
    for (QAbstractItemView* table :
         std::initializer_list<QAbstractItemView*>{candidateTable_, streamTable_}) {
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->setSelectionMode(QAbstractItemView::SingleSelection);
    }
    candidateTable_->verticalHeader()->hide();
    candidateTable_->horizontalHeader()->setStretchLastSection(true);
    streamTable_->setModel(streams_);
    streamTable_->verticalHeader()->hide();
    streamTable_->horizontalHeader()->setStretchLastSection(true);
    tabs_->addTab(candidateTable_, FindFontMessages::CandidatesTab(0));
    tabs_->addTab(streamTable_, FindFontMessages::StreamsTab(0));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(find_);
    buttons->addWidget(stop_);
    buttons->addWidget(progress_, 1);
    auto* opening = new QHBoxLayout;
    opening->addStretch(1);
    opening->addWidget(open_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(status_);
    layout->addWidget(tabs_, 1);
    layout->addLayout(opening);
    resize(720, 520);

    connect(find_, &QPushButton::clicked, this, &FindFontWindow::Find);
    connect(stop_, &QPushButton::clicked, this, &FindFontWindow::Stop);
    connect(open_, &QPushButton::clicked, this, &FindFontWindow::Open);
    // Enter and a double-click activate a row.
    connect(candidateTable_, &QAbstractItemView::activated, this, &FindFontWindow::Open);
    connect(streamTable_, &QAbstractItemView::activated, this, &FindFontWindow::Open);
    connect(tabs_, &QTabWidget::currentChanged, this, &FindFontWindow::Enable);
    connect(candidateTable_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FindFontWindow::Enable);
    connect(streamTable_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FindFontWindow::Enable);
    connect(&game_, &OpenGameFile::changed, this, [this] {
        // What was found in another file says nothing of this one.
        job_.reset();
        Forget();
        status_->clear();
        progress_->setValue(0);
        Enable();
    });
    Enable();
}

FindFontWindow::~FindFontWindow() = default;

const std::vector<FoundStream>& FindFontWindow::Streams() const {
    return streams_->Streams();
}

void FindFontWindow::Enable() {
    const bool running = job_ != nullptr;
    find_->setEnabled(!running && game_.File().has_value());
    stop_->setEnabled(running);
    const QAbstractItemView* shown = tabs_->currentWidget() == candidateTable_
                                         ? static_cast<QAbstractItemView*>(candidateTable_)
                                         : streamTable_;
    open_->setEnabled(shown->selectionModel()->hasSelection());
    if (!game_.File() && !running) status_->setText(GameFileMessages::NoGameFile());
}

void FindFontWindow::Forget() {
    candidates_.clear();
    candidateTable_->setRowCount(0);
    streams_->Show({});
    tabs_->setTabText(0, FindFontMessages::CandidatesTab(0));
    tabs_->setTabText(1, FindFontMessages::StreamsTab(0));
}

void FindFontWindow::Find() {
    const auto& file = game_.File();
    if (!file || job_) return;
    Forget();
    if (file->Size() > kMaxFontSearchSize) {
        status_->setText(FindFontMessages::FileTooLarge(QString::fromLocal8Bit(file->Path()),
                                                        file->Size(), kMaxFontSearchSize));
        return;
    }
    progress_->setValue(0);
    status_->setText(FindFontMessages::Searching(0));
    FontSearch search;
    search.limit = kCandidates;
    job_ = StartFindFonts(*file, search);
    connect(job_.get(), &FontFindJob::progressValueChanged, this, [this](int percent) {
        progress_->setValue(percent);
        status_->setText(FindFontMessages::Searching(percent));
    });
    connect(job_.get(), &FontFindJob::finished, this, &FindFontWindow::Finished);
    Enable();
}

void FindFontWindow::Stop() {
    if (job_) job_->Cancel();
}

void FindFontWindow::Finished() {
    const FontFindOutcome outcome = TakeFinished(job_, FontFindOutcome{FontFindCancelled{}});
    if (const auto* found = std::get_if<FontFindings>(&outcome)) {
        progress_->setValue(100);
        candidates_ = found->candidates;
        const int count = static_cast<int>(candidates_.size());
        candidateTable_->setRowCount(count);
        int stripWidth = 0;
        int stripHeight = 0;
        for (int row = 0; row < count; ++row) {
            const FontCandidate& candidate = candidates_[static_cast<std::size_t>(row)];
            auto* score = new QTableWidgetItem(QString::number(candidate.score, 'f', 2));
            score->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            candidateTable_->setItem(row, 0, score);
            const QPixmap strip =
                Strip(found->firstGlyphs[static_cast<std::size_t>(row)], candidate.format);
            stripWidth = std::max(stripWidth, strip.width());
            stripHeight = std::max(stripHeight, strip.height());
            auto* glyphs = new QTableWidgetItem;
            glyphs->setData(Qt::DecorationRole, strip);
            candidateTable_->setItem(row, 1, glyphs);
            candidateTable_->setItem(row, 2, new QTableWidgetItem(WhereText(candidate)));
        }
        candidateTable_->setIconSize(QSize(stripWidth, stripHeight));
        candidateTable_->resizeColumnsToContents();
        candidateTable_->resizeRowsToContents();
        streams_->Show(found->streams);
        streamTable_->resizeColumnsToContents();
        const int streams = static_cast<int>(found->streams.size());
        tabs_->setTabText(0, FindFontMessages::CandidatesTab(count));
        tabs_->setTabText(1, FindFontMessages::StreamsTab(streams));
        status_->setText(count > 0 ? FindFontMessages::Found(count, streams)
                                   : FindFontMessages::NothingFoundInWindow(streams));
        if (count > 0) {
            tabs_->setCurrentWidget(candidateTable_);
            candidateTable_->selectRow(0);
            candidateTable_->setFocus();
        } else if (streams > 0) {
            tabs_->setCurrentWidget(streamTable_);
            streamTable_->selectRow(0);
            streamTable_->setFocus();
        }
    } else if (const auto* failed = std::get_if<GameFileError>(&outcome)) {
        status_->setText(GameFileMessages::Failure(*failed));
    } else {
        progress_->setValue(0);
        status_->setText(FindFontMessages::Stopped());
    }
    Enable();
}

void FindFontWindow::Open() {
    if (tabs_->currentWidget() == candidateTable_) {
        const QModelIndexList rows = candidateTable_->selectionModel()->selectedRows();
        if (rows.isEmpty()) return;
        const auto row = static_cast<std::size_t>(rows.front().row());
        if (row < candidates_.size()) OpenCandidate(candidates_[row]);
    } else {
        const QModelIndexList rows = streamTable_->selectionModel()->selectedRows();
        if (rows.isEmpty()) return;
        const auto row = static_cast<std::size_t>(rows.front().row());
        if (row < Streams().size()) OpenStream(Streams()[row]);
    }
}

void FindFontWindow::OpenCandidate(const FontCandidate& candidate) {
    Document& document = history_.Doc();
    FontSettings settings = FontSettings::Of(document);
    settings.format = candidate.format;
    settings.compression = candidate.compression;
    // A packed font's offset names its stream; the page starts at what it unpacks to.
    settings.stream = candidate.compression != Compression::None ? candidate.offset : 0;
    settings.offset = candidate.compression != Compression::None ? 0 : candidate.offset;
    if (settings != FontSettings::Of(document)) {
        history_.Run(
            DocumentCommand::SetFeatureSettings(document, FontSettings::kFeature, settings.Json()),
            FindFontMessages::OpenUndoText(HexNumber(candidate.offset, 1)));
    }
    emit fontOpened();
}

void FindFontWindow::OpenStream(const FoundStream& stream) {
    Document& document = history_.Doc();
    FontSettings settings = FontSettings::Of(document);
    // The format stays as the Font window has it: the stream's glyphs are read in it.
    settings.compression = stream.compression;
    settings.stream = stream.offset;
    settings.offset = 0;
    if (settings != FontSettings::Of(document)) {
        history_.Run(
            DocumentCommand::SetFeatureSettings(document, FontSettings::kFeature, settings.Json()),
            FindFontMessages::OpenUndoText(HexNumber(stream.offset, 1)));
    }
    emit fontOpened();
}

}  // namespace glyphwright
