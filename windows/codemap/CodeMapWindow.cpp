#include "CodeMapWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QLayout>
#include <QLabel>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QSignalBlocker>
#include <QToolTip>

#include <algorithm>

#include "CodeMapGrid.h"
#include "CodeMapLegend.h"
#include "CodeMapMessages.h"
#include "CodeMapModel.h"
#include "OrderSelection.h"
#include "font/FontPictures.h"
#include "tablefile/WritesCode.h"
#include "ui_frmCodeMap.h"

namespace glyphwright {

CodeMapWindow::CodeMapWindow(Document& document, OrderSelection& selection, OpenGameFile& game)
    : selection_(selection),
      ui_(std::make_unique<Ui::frmCodeMap>()),
      model_(new CodeMapModel(document, this)),
      legend_(new CodeMapLegend(document.Order(), *model_, this)),
      glyphs_(new FontPictures(document, game, this)) {
    ui_->setupUi(this);
    setWindowTitle(CodeMapMessages::CodeMapTitle());
    ui_->lblLegend->setText(CodeMapMessages::CodeMapLegendTitle());
    ui_->tblCodeMap->setAccessibleName(CodeMapMessages::CodeMapTitle());
    ui_->lstLegend->setAccessibleName(
        CodeMapMessages::CodeMapLegendTitle().remove(QLatin1Char('&')));

    ui_->tblCodeMap->setModel(model_);
    ui_->lstLegend->setModel(legend_);
    ui_->lstLegend->setItemDelegate(new CodeMapLegendDelegate(ui_->lstLegend));
    ui_->tblCodeMap->SetPictures(glyphs_);
    connect(glyphs_, &FontPictures::changed, this, [this] {
        SizeGrid();
        ui_->tblCodeMap->viewport()->update();
    });
    SizeGrid();
    // The words under the grid keep their height whatever they say, so that a change of words
    // never lays the window out again and repaints the whole grid.
    const int line = fontMetrics().lineSpacing();
    ui_->lblRange->setFixedHeight(3 * line);
    ui_->lblDuplicates->setFixedHeight(2 * line);
    // The full list of duplicates is worded only when asked for, in the tooltip.
    ui_->lblDuplicates->installEventFilter(this);

    const int sample = fontMetrics().height() + 4;
    ui_->lblKeyHeldSample->setPixmap(CodeMapGrid::Sample(CodeMapGrid::Mark::Held, sample));
    ui_->lblKeyOverlapSample->setPixmap(CodeMapGrid::Sample(CodeMapGrid::Mark::Overlap, sample));
    ui_->lblKeyOutOfRangeSample->setPixmap(
        CodeMapGrid::Sample(CodeMapGrid::Mark::OutOfRange, sample));
    ui_->lblKeyHeld->setText(CodeMapMessages::CodeMapKeyHeld());
    ui_->lblKeyOverlap->setText(CodeMapMessages::CodeMapKeyOverlap());
    for (const auto& [kind, name] :
         {std::pair{EntryKind::EndCode, "EndCode"}, std::pair{EntryKind::LineBreak, "LineBreak"},
          std::pair{EntryKind::Linked, "Linked"}, std::pair{EntryKind::TableSwitch, "Switch"}}) {
        auto* picture = new QLabel(this);
        picture->setObjectName(QStringLiteral("lblKey%1Sample").arg(QLatin1String(name)));
        picture->setPixmap(CodeMapGrid::KindSample(kind, sample));
        auto* words = new QLabel(CodeMapMessages::CodeMapKeyKind(kind), this);
        words->setObjectName(QStringLiteral("lblKey%1").arg(QLatin1String(name)));
        const int row = ui_->layoutKey->rowCount();
        ui_->layoutKey->addWidget(picture, row, 0);
        ui_->layoutKey->addWidget(words, row, 1);
        picture->hide();
        words->hide();
        kindKeys_.push_back({kind, picture, words});
    }
    ui_->layoutKey->setColumnStretch(1, 1);  // the samples stay beside their words

    // A click or Enter on a cell or a legend line selects that Table Order line, quietly: only
    // the list itself opens the relative start dialog.
    const auto cellChosen = [this](const QModelIndex& index) {
        SelectLine(index.data(CodeMapModel::LineRole).toInt());
    };
    connect(ui_->tblCodeMap, &QAbstractItemView::clicked, this, cellChosen);
    connect(ui_->tblCodeMap, &QAbstractItemView::activated, this, cellChosen);
    const auto legendChosen = [this](const QModelIndex& index) {
        SelectLine(legend_->LineAt(index.row()));
    };
    connect(ui_->lstLegend, &QAbstractItemView::clicked, this, legendChosen);
    connect(ui_->lstLegend, &QAbstractItemView::activated, this, legendChosen);

    // The page selector: the one-byte codes first, then a page for each first byte of two-byte
    // codes; beside it the pages that hold codes, to go to at once.
    ui_->lblPage->setText(CodeMapMessages::CodeMapPageLabel());
    ui_->lblPagesInUse->setText(CodeMapMessages::CodeMapPagesInUseLabel());
    ui_->cboPage->addItem(CodeMapMessages::CodeMapOneBytePage(), CodeMapModel::kOneBytePage);
    for (int first = 0; first < kCodeCount; ++first) {
        ui_->cboPage->addItem(CodeMapMessages::CodeMapTwoBytePage(first), first);
    }
    connect(ui_->cboPage, &QComboBox::currentIndexChanged, this, [this](int index) {
        model_->ShowPage(ui_->cboPage->itemData(index).toInt());
        ShowPageInUse();
    });
    connect(ui_->cboPagesInUse, &QComboBox::activated, this, [this](int index) {
        const int page = ui_->cboPagesInUse->itemData(index).toInt();
        ui_->cboPage->setCurrentIndex(ui_->cboPage->findData(page));
    });
    connect(model_, &CodeMapModel::pagesInUseChanged, this, &CodeMapWindow::ListPagesInUse);
    ListPagesInUse();

    connect(model_, &CodeMapModel::refreshed, this, &CodeMapWindow::ShowWords);
    connect(&selection_, &QItemSelectionModel::selectionChanged, this,
            &CodeMapWindow::FollowSelection);
    connect(legend_, &QAbstractItemModel::rowsInserted, this, &CodeMapWindow::FollowSelection);
    connect(legend_, &QAbstractItemModel::rowsRemoved, this, &CodeMapWindow::FollowSelection);
    FollowSelection();
}

CodeMapWindow::~CodeMapWindow() = default;

void CodeMapWindow::SizeGrid() {
    // Room for a two-character entry in every cell, so that DTE pairs read whole.
    const QFontMetrics cell(CodeMapModel::CellFont());
    const int height = cell.height() + 12;
    // And for the game's glyph beside it, when there is one.
    const int glyph =
        glyphs_->Any() ? glyphs_->GlyphSize().width() * ui_->tblCodeMap->GlyphZoom(height) + 2 : 0;
    const int width = cell.horizontalAdvance(QStringLiteral("ガガ")) + 8 + glyph;
    QTableView& grid = *ui_->tblCodeMap;
    for (QHeaderView* header : {grid.horizontalHeader(), grid.verticalHeader()}) {
        header->setSectionResizeMode(QHeaderView::Stretch);
        header->setHighlightSections(false);
    }
    grid.horizontalHeader()->setMinimumSectionSize(width);
    grid.verticalHeader()->setMinimumSectionSize(height);
    // The row labels as wide as the widest page has them (three hex digits and "_", against one
    // on the one-byte page), so that turning to a page of two-byte codes never narrows the cells
    // and cuts off the last column. Measured as the header measures its own labels: in bold.
    QHeaderView& rows = *grid.verticalHeader();
    QFont bold = rows.font();
    bold.setBold(true);
    const QFontMetrics label(bold);
    QChar widestDigit = QLatin1Char('0');
    for (const QChar digit : QStringLiteral("0123456789ABCDEF")) {
        if (label.horizontalAdvance(digit) > label.horizontalAdvance(widestDigit)) {
            widestDigit = digit;
        }
    }
    QStyleOptionHeader widest;
    widest.initFrom(&rows);
    widest.orientation = Qt::Vertical;
    widest.fontMetrics = label;
    widest.text = QString(3, widestDigit) + QLatin1Char('_');
    rows.setMinimumWidth(std::max(
        rows.sizeHint().width(),
        rows.style()->sizeFromContents(QStyle::CT_HeaderSection, &widest, QSize(), &rows).width()));
    const int frame = 2 * grid.frameWidth();
    // The window opens with the whole grid in view; smaller, as on a small screen, it scrolls.
    ui_->tblCodeMap->SetFullSize(
        {16 * width + rows.minimumWidth() + frame,
         16 * height + grid.horizontalHeader()->sizeHint().height() + frame});
    grid.setMinimumSize(4 * width, 4 * height);
}

void CodeMapWindow::Present() {
    if (!isVisible()) {
        if (!place_.isEmpty()) {
            restoreGeometry(place_);
        } else {
            // The first time: room for the whole grid below the page selector, where the
            // screen has it.
            resize(size().expandedTo(sizeHint()));
        }
        show();
    }
    raise();
    activateWindow();
}

void CodeMapWindow::closeEvent(QCloseEvent* event) {
    // Hidden, not destroyed: the map keeps its place for the rest of the session.
    place_ = saveGeometry();
    event->accept();
}

void CodeMapWindow::showEvent(QShowEvent* event) {
    model_->SetFollowing(true);
    QWidget::showEvent(event);
}

void CodeMapWindow::hideEvent(QHideEvent* event) {
    // A hidden map does no work; it catches up when shown again.
    model_->SetFollowing(false);
    QWidget::hideEvent(event);
}

void CodeMapWindow::ShowWords() {
    const std::vector<EntryKind>& kinds = model_->KindsShown();
    bool keyChanged = false;
    for (const KindKey& key : kindKeys_) {
        const bool shown = std::find(kinds.begin(), kinds.end(), key.kind) != kinds.end();
        keyChanged = keyChanged || key.words->isVisibleTo(this) != shown;
        key.sample->setVisible(shown);
        key.words->setVisible(shown);
    }
    // A key line that comes in when the map catches up, after the window opened, asks for room
    // the grid would otherwise give up: its last column and row would be cut off.
    if (keyChanged && isVisible()) {
        layout()->activate();  // the size the lines shown now ask for, not the one before
        resize(size().expandedTo(sizeHint()));
    }
    const CodeMap& map = model_->Map();
    // Most changes of a long order leave the words as they were: they are worded only when what
    // they say changed.
    const QString failure = model_->FailureText();
    const TableFormat format = model_->Format();
    if (words_ && words_->failure == failure && words_->first == map.first &&
        words_->last == map.last && words_->duplicates == map.duplicates &&
        words_->format == format) {
        return;
    }
    if (!words_ || words_->format != format) {
        ui_->lblKeyOutOfRange->setText(CodeMapMessages::CodeMapKeyOutOfRange(format));
    }
    words_ = Words{failure, map.first, map.last, map.duplicates, format};
    if (!failure.isEmpty()) {
        ui_->lblRange->setText(failure);
    } else if (WritesWithNothingLaid(format)) {
        ui_->lblRange->setText(CodeMapMessages::CodeMapWholeTable(format));
    } else {
        ui_->lblRange->setText(map.HasRange()
                                   ? CodeMapMessages::CodeMapRange(map.first, map.last)
                                   : CodeMapMessages::CodeMapNoRange(map.first, map.last));
    }
    // The reason no file would be made stands out in red.
    if (!failure.isEmpty() != showingFailure_) {
        showingFailure_ = !failure.isEmpty();
        QPalette palette = this->palette();
        if (showingFailure_) palette.setColor(QPalette::WindowText, QColor(0xC0, 0x00, 0x00));
        ui_->lblRange->setPalette(palette);
    }

    if (map.duplicates.empty()) {
        ui_->lblDuplicates->setText(!failure.isEmpty() ? QString()
                                                       : CodeMapMessages::CodeMapNoDuplicates());
        return;
    }
    ShowDuplicates();
}

void CodeMapWindow::ShowDuplicates() {
    const std::size_t total = model_->Map().duplicates.size();
    if (total == 0) return;
    // A long order can have many more than two lines hold; none is cut off in the middle.
    constexpr std::size_t kMostShown = 6;
    QLabel& label = *ui_->lblDuplicates;
    const QRect room(0, 0, label.contentsRect().width(), QWIDGETSIZE_MAX);
    for (std::size_t shown = std::min(total, kMostShown);; --shown) {
        const QString text =
            CodeMapMessages::CodeMapDuplicates(Duplicates(shown), static_cast<int>(total - shown));
        if (shown == 0 || label.fontMetrics().boundingRect(room, Qt::TextWordWrap, text).height() <=
                              label.contentsRect().height()) {
            label.setText(text);
            return;
        }
    }
}

QList<QPair<QString, QList<int>>> CodeMapWindow::Duplicates(std::size_t count) const {
    QList<QPair<QString, QList<int>>> duplicates;
    const std::vector<DuplicateText>& all = model_->Map().duplicates;
    for (std::size_t i = 0; i < std::min(all.size(), count); ++i) {
        QList<int> codes;
        for (const TableCode code : all[i].codes) codes << code.Stored();
        duplicates.append({model_->Shown(all[i].text), codes});
    }
    return duplicates;
}

bool CodeMapWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->lblDuplicates && event->type() == QEvent::Resize) {
        ShowDuplicates();
        return false;
    }
    if (watched == ui_->lblDuplicates && event->type() == QEvent::ToolTip) {
        const auto all = Duplicates(model_->Map().duplicates.size());
        if (!all.isEmpty()) {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                               CodeMapMessages::CodeMapDuplicatesList(all), ui_->lblDuplicates);
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CodeMapWindow::ListPagesInUse() {
    QComboBox& list = *ui_->cboPagesInUse;
    const QSignalBlocker quiet(list);
    list.clear();
    for (const PageInUse& page : model_->PagesInUse()) {
        list.addItem(CodeMapMessages::CodeMapPageInUse(page.first, page.codes), page.first);
    }
    list.setEnabled(list.count() > 0);
    ShowPageInUse();
}

void CodeMapWindow::ShowPageInUse() {
    // The list names the page shown when it is one of them, and stands empty otherwise.
    QComboBox& list = *ui_->cboPagesInUse;
    const QSignalBlocker quiet(list);
    list.setCurrentIndex(list.findData(model_->Page()));
}

void CodeMapWindow::SelectLine(int line) {
    if (line >= 0) selection_.SelectQuietly(line);
}

void CodeMapWindow::FollowSelection() {
    const int line = selection_.SelectedLine();
    model_->SetSelectedLine(line);
    QItemSelectionModel& legend = *ui_->lstLegend->selectionModel();
    if (const int shown = legend_->RowOf(line); shown < 0) {
        legend.clearSelection();
    } else {
        const QModelIndex row = legend_->index(shown, 0);
        legend.setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
        ui_->lstLegend->scrollTo(row);
    }
}

}  // namespace glyphwright
