#include "CodeMapWindow.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPalette>

#include "CodeMapDelegate.h"
#include "CodeMapLegend.h"
#include "CodeMapModel.h"
#include "Messages.h"
#include "OrderListModel.h"
#include "OrderSelection.h"
#include "ui_frmCodeMap.h"

namespace glyphwright {

CodeMapWindow::CodeMapWindow(const Workspace& workspace, TableOrder& order, OrderListModel& lines,
                             OrderSelection& selection, TableEvents& events)
    : selection_(selection),
      ui_(std::make_unique<Ui::frmCodeMap>()),
      model_(new CodeMapModel(workspace, order, events, this)),
      legend_(new CodeMapLegend(lines, *model_, this)) {
    ui_->setupUi(this);
    setWindowTitle(Messages::CodeMapTitle());
    ui_->lblLegend->setText(Messages::CodeMapLegendTitle());
    ui_->tblCodeMap->setAccessibleName(Messages::CodeMapTitle());
    ui_->lstLegend->setAccessibleName(Messages::CodeMapLegendTitle().remove(QLatin1Char('&')));

    ui_->tblCodeMap->setModel(model_);
    ui_->tblCodeMap->setItemDelegate(new CodeMapDelegate(ui_->tblCodeMap));
    ui_->lstLegend->setModel(legend_);
    ui_->lstLegend->setItemDelegate(new CodeMapLegendDelegate(ui_->lstLegend));
    SizeGrid();

    const int sample = fontMetrics().height();
    ui_->lblKeyHeldSample->setPixmap(CodeMapDelegate::Sample(CodeMapDelegate::Mark::Held, sample));
    ui_->lblKeyOverlapSample->setPixmap(
        CodeMapDelegate::Sample(CodeMapDelegate::Mark::Overlap, sample));
    ui_->lblKeyOutOfRangeSample->setPixmap(
        CodeMapDelegate::Sample(CodeMapDelegate::Mark::OutOfRange, sample));
    ui_->lblKeyHeld->setText(Messages::CodeMapKeyHeld());
    ui_->lblKeyOverlap->setText(Messages::CodeMapKeyOverlap());
    ui_->lblKeyOutOfRange->setText(Messages::CodeMapKeyOutOfRange());

    // A click or Enter on a cell or a legend line selects that Table Order line, quietly: only
    // the list itself opens the relative start dialog.
    const auto cellChosen = [this](const QModelIndex& index) {
        SelectLine(index.data(CodeMapModel::LineRole).toInt());
    };
    connect(ui_->tblCodeMap, &QAbstractItemView::clicked, this, cellChosen);
    connect(ui_->tblCodeMap, &QAbstractItemView::activated, this, cellChosen);
    const auto legendChosen = [this](const QModelIndex& index) { SelectLine(index.row()); };
    connect(ui_->lstLegend, &QAbstractItemView::clicked, this, legendChosen);
    connect(ui_->lstLegend, &QAbstractItemView::activated, this, legendChosen);

    connect(model_, &CodeMapModel::refreshed, this, &CodeMapWindow::ShowWords);
    connect(&selection_, &QItemSelectionModel::selectionChanged, this,
            &CodeMapWindow::FollowSelection);
    FollowSelection();
}

CodeMapWindow::~CodeMapWindow() = default;

void CodeMapWindow::SizeGrid() {
    // Room for a two-character entry in every cell, so that DTE pairs read whole.
    const QFontMetrics cell(CodeMapModel::CellFont());
    const int width = cell.horizontalAdvance(QStringLiteral("ガガ")) + 8;
    const int height = cell.height() + 12;
    QTableView& grid = *ui_->tblCodeMap;
    for (QHeaderView* header : {grid.horizontalHeader(), grid.verticalHeader()}) {
        header->setSectionResizeMode(QHeaderView::Stretch);
        header->setHighlightSections(false);
    }
    grid.horizontalHeader()->setMinimumSectionSize(width);
    grid.verticalHeader()->setMinimumSectionSize(height);
    const int frame = 2 * grid.frameWidth();
    grid.setMinimumSize(16 * width + grid.verticalHeader()->sizeHint().width() + frame,
                        16 * height + grid.horizontalHeader()->sizeHint().height() + frame);
}

void CodeMapWindow::Present() {
    if (!isVisible()) {
        if (!place_.isEmpty()) restoreGeometry(place_);
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
    const CodeMap& map = model_->Map();
    if (map.failure) {
        ui_->lblRange->setText(model_->FailureText());
    } else {
        ui_->lblRange->setText(map.HasRange() ? Messages::CodeMapRange(map.first, map.last)
                                              : Messages::CodeMapNoRange(map.first, map.last));
    }
    // The reason no file would be made stands out in red.
    if (map.failure.has_value() != showingFailure_) {
        showingFailure_ = map.failure.has_value();
        QPalette palette = this->palette();
        if (showingFailure_) palette.setColor(QPalette::WindowText, QColor(0xC0, 0x00, 0x00));
        ui_->lblRange->setPalette(palette);
    }

    if (map.duplicates.empty()) {
        ui_->lblDuplicates->setText(map.failure ? QString() : Messages::CodeMapNoDuplicates());
        wordedDuplicates_.clear();
        return;
    }
    // Worded anew only when they change: a long order can have many.
    if (map.duplicates == wordedDuplicates_) return;
    wordedDuplicates_ = map.duplicates;
    QList<QPair<QString, QList<int>>> duplicates;
    for (const DuplicateText& duplicate : map.duplicates) {
        QList<int> codes(duplicate.codes.begin(), duplicate.codes.end());
        duplicates.append({model_->Look(duplicate.codes.front()).shown, codes});
    }
    ui_->lblDuplicates->setText(Messages::CodeMapDuplicates(duplicates));
}

void CodeMapWindow::SelectLine(int line) {
    if (line >= 0) selection_.SelectQuietly(line);
}

void CodeMapWindow::FollowSelection() {
    const int line = selection_.SelectedLine();
    model_->SetSelectedLine(line);
    QItemSelectionModel& legend = *ui_->lstLegend->selectionModel();
    if (line < 0) {
        legend.clearSelection();
    } else {
        const QModelIndex row = legend_->index(line, 0);
        legend.setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
        ui_->lstLegend->scrollTo(row);
    }
}

}  // namespace glyphwright
