#include "GameTextWindow.h"

#include <QCheckBox>
#include <QPushButton>
#include <QLabel>
#include <QRegularExpression>

#include <QFontDatabase>
#include <QHeaderView>
#include <QShortcut>

#include <algorithm>
#include <functional>
#include <iterator>
#include <variant>

#include "CodeMapMessages.h"
#include "DocumentHistory.h"
#include "GameFileMessages.h"
#include "GameTextMessages.h"
#include "GameTextModel.h"
#include "DictionaryMessages.h"
#include "GlyphsAboveText.h"
#include "MakeTableMessages.h"
#include "MiddleElision.h"
#include "OneLineBox.h"
#include "OpenGameFile.h"
#include "ProgramMessages.h"
#include "RunAction.h"
#include "ScriptWindowMessages.h"
#include "WindowQueries.h"
#include "core/text/CodeReader.h"
#include "core/text/GameText.h"
#include "core/text/ScriptCoverage.h"
#include "core/text/TextThroughTable.h"
#include "tablefile/TableFormat.h"
#include "tablefile/WritesCode.h"
#include "font/FontPictures.h"
#include "script/ExportScriptDialog.h"
#include "script/ScriptSettings.h"
#include "ui_frmGameText.h"

namespace glyphwright {

namespace {

// Whether the file is made all the same: nothing to lay, which the text formats do not mind.
bool MadeWithNothingLaid(const TableNotLaid& why) {
    const auto* assembly = std::get_if<AssemblyError>(&why);
    return assembly != nullptr && assembly->kind == AssemblyError::Kind::NothingToLay;
}

// Enough hex digits for any offset of the file.
int OffsetDigits(std::uint64_t size) {
    int digits = 8;
    while (digits < 16 && (size >> (4 * digits)) != 0) ++digits;
    return digits;
}

}  // namespace

GameTextWindow::GameTextWindow(DocumentHistory& history, OpenGameFile& game, WindowQueries& user)
    : history_(history),
      document_(history.Doc()),
      game_(game),
      user_(user),
      ui_(std::make_unique<Ui::frmGameText>()),
      text_(new GameTextModel(this)),
      glyphs_(new FontPictures(document_, game, this)),
      glyphsBox_(new QCheckBox(GameTextMessages::GameTextGlyphs())),
      previousPointer_(new QPushButton(ScriptWindowMessages::PreviousPointer())),
      nextPointer_(new QPushButton(ScriptWindowMessages::NextPointer())),
      exportScript_(new QPushButton(ScriptWindowMessages::ExportScriptButton())),
      missing_(new QLabel) {
    ui_->setupUi(this);
    missing_->setObjectName(QStringLiteral("lblMissing"));
    missing_->setTextFormat(Qt::PlainText);
    missing_->setWordWrap(true);
    ui_->layout->addWidget(missing_);
    OneLineBox::Keep(*ui_->txtOffset);
    ui_->tblText->setModel(text_);
    // Offsets and bytes line up in a fixed face; the columns fit them, the text takes the rest.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    ui_->tblText->setFont(fixed);
    const QFontMetrics metrics(fixed);
    QHeaderView& rows = *ui_->tblText->verticalHeader();
    rows.hide();
    rows.setSectionResizeMode(QHeaderView::Fixed);
    textHeight_ = metrics.height() + 6;
    rows.setDefaultSectionSize(textHeight_);
    glyphsBox_->setObjectName(QStringLiteral("chkGlyphs"));
    glyphsBox_->setToolTip(GameTextMessages::GameTextGlyphsTip());
    ui_->offsetRow->addWidget(glyphsBox_);
    previousPointer_->setObjectName(QStringLiteral("cmdPreviousPointer"));
    nextPointer_->setObjectName(QStringLiteral("cmdNextPointer"));
    exportScript_->setObjectName(QStringLiteral("cmdExportScript"));
    for (QPushButton* button : {previousPointer_, nextPointer_, exportScript_}) {
        button->setAutoDefault(false);
    }
    ui_->offsetRow->insertWidget(ui_->offsetRow->indexOf(ui_->cmdNext) + 1, previousPointer_);
    ui_->offsetRow->insertWidget(ui_->offsetRow->indexOf(previousPointer_) + 1, nextPointer_);
    ui_->offsetRow->addWidget(exportScript_);
    ui_->tblText->setItemDelegateForColumn(GameTextModel::Text, new GlyphsAboveText(ui_->tblText));
    connect(glyphsBox_, &QCheckBox::toggled, this, &GameTextWindow::ShowGlyphs);
    connect(glyphs_, &FontPictures::changed, this, &GameTextWindow::ShowGlyphs);
    QHeaderView& columns = *ui_->tblText->horizontalHeader();
    columns.setStretchLastSection(true);
    const int margin = 3 * metrics.horizontalAdvance(QLatin1Char(' '));
    columns.resizeSection(GameTextModel::Offset,
                          metrics.horizontalAdvance(QString(12, u'0')) + margin);
    columns.resizeSection(
        GameTextModel::Bytes,
        metrics.horizontalAdvance(QString(3 * GameTextModel::kBytesPerRow - 1, u'0')) + margin);

    const auto guarded = [this](auto action) { return Guarded(user_, this, action); };
    connect(ui_->cmdShow, &QPushButton::clicked, this, guarded(&GameTextWindow::ShowTyped));
    connect(ui_->txtOffset, &QLineEdit::returnPressed, this, guarded(&GameTextWindow::ShowTyped));
    connect(ui_->cmdPrevious, &QPushButton::clicked, this,
            guarded([](GameTextWindow* window) { window->Turn(false); }));
    connect(ui_->cmdNext, &QPushButton::clicked, this,
            guarded([](GameTextWindow* window) { window->Turn(true); }));
    connect(previousPointer_, &QPushButton::clicked, this,
            guarded([](GameTextWindow* window) { window->StepPointer(false); }));
    connect(nextPointer_, &QPushButton::clicked, this,
            guarded([](GameTextWindow* window) { window->StepPointer(true); }));
    connect(exportScript_, &QPushButton::clicked, this, guarded(&GameTextWindow::ExportScript));

    // Whatever changes the table the bytes are read through. The bytes are read again each time:
    // the file may have changed since, and stale bytes would pass for the file's.
    document_.AddObserver(*this);
    connect(&game_, &OpenGameFile::changed, this, &GameTextWindow::FileChanged);
    connect(new QShortcut(QKeySequence::Open, this), &QShortcut::activated, this,
            &GameTextWindow::openRequested);
    FileChanged();
    ShowGlyphs();
}

void GameTextWindow::ShowGlyphs() {
    const bool shown = glyphsBox_->isChecked() && glyphs_->Any();
    glyphsBox_->setEnabled(glyphs_->Any());
    text_->ShowGlyphs(shown ? glyphs_ : nullptr);
    const int glyphHeight = shown ? glyphs_->GlyphSize().height() * text_->GlyphZoom() + 2 : 0;
    ui_->tblText->verticalHeader()->setDefaultSectionSize(textHeight_ + glyphHeight);
}

GameTextWindow::~GameTextWindow() {
    document_.RemoveObserver(*this);
}

void GameTextWindow::DocumentChanged(const DocumentChange& change) {
    if (change.table || change.order || change.startCode || change.sets || change.codeOrder ||
        change.settings) {
        ReadPage();
    } else if (change.files) {
        // The format of the table file decides which codes the file holds.
        Decode();
    }
}

void GameTextWindow::FileChanged() {
    const auto& file = game_.File();
    // A long path is cut in the middle, where it says least; the tooltip holds all of it.
    MiddleElision::Show(
        *ui_->lblFile,
        file ? GameFileMessages::GameFileShown(QString::fromLocal8Bit(file->Path()), file->Size())
             : GameFileMessages::NoGameFile());
    ShowOffset(0);
}

void GameTextWindow::ShowOffset(std::uint64_t offset) {
    offset_ = offset;
    ui_->txtOffset->setText(QString::number(offset, 16).toUpper());
    ReadPage();
}

void GameTextWindow::ShowTyped() {
    const QString typed = ui_->txtOffset->text().trimmed();
    bool ok = false;
    const qulonglong offset = typed.toULongLong(&ok, 16);
    if (!ok) {
        static const QRegularExpression kHexDigits(QStringLiteral("^[0-9A-Fa-f]+$"));
        const QString told = kHexDigits.match(typed).hasMatch()
                                 ? GameTextMessages::OffsetTooLarge(typed)
                                 : GameTextMessages::BadOffset(typed);
        user_.ShowMessage(ProgramMessages::Title().toStdString(), told.toStdString(),
                          MessageIcon::Exclamation);
        return;
    }
    const auto& file = game_.File();
    if (file && offset >= file->Size() && offset > 0) {
        user_.ShowMessage(ProgramMessages::Title().toStdString(),
                          GameTextMessages::OffsetPastEnd(offset, file->Size()).toStdString(),
                          MessageIcon::Exclamation);
        return;
    }
    ShowOffset(offset);
}

void GameTextWindow::Turn(bool forward) {
    const auto& file = game_.File();
    if (!file) return;
    if (forward) {
        if (offset_ + kPageBytes < file->Size()) ShowOffset(offset_ + kPageBytes);
    } else {
        ShowOffset(offset_ > kPageBytes ? offset_ - kPageBytes : 0);
    }
}

void GameTextWindow::ReadPage() {
    page_.clear();
    unreadable_.reset();
    const auto& file = game_.File();
    ui_->cmdPrevious->setEnabled(file && offset_ > 0);
    ui_->cmdNext->setEnabled(file && offset_ + kPageBytes < file->Size());
    const bool pointers = file && !ScriptSettings::Of(document_).pointers.empty();
    previousPointer_->setEnabled(pointers);
    nextPointer_->setEnabled(pointers);
    if (file) {
        auto read = file->ReadWindow(offset_, kPageBytes);
        if (read) {
            page_ = read.value();
        } else {
            unreadable_ = read.error();
        }
    }
    Decode();
}

void GameTextWindow::Decode() {
    const auto& file = game_.File();
    if (!file) {
        text_->Show(0, {}, {}, 8);
        ui_->lblTable->clear();
        missing_->clear();
        return;
    }
    if (unreadable_) {
        text_->Show(offset_, {}, {}, OffsetDigits(file->Size()));
        ui_->lblTable->setText(GameFileMessages::Failure(*unreadable_));
        missing_->clear();
        return;
    }
    const std::string& typed = document_.StartCode();
    // One- and two-byte codes, the longest first, as the file in the format chosen would give
    // them: the text formats hold every code held, laid or not, as the code map shows.
    const TableFormat format =
        FormatNamed(document_.Contents().tableFormat).value_or(TableFormat::Classic);
    // Switches read through the document's further tables.
    const Workspace& tables = document_.Table();
    const ShownCodes codes = CodesAsShown(
        document_.Contents(), WritesWithNothingLaid(format),
        [&tables](std::string_view id) { return tables.TableNamed(id); }, tables.TableId);
    const ShownTable& table = codes.oneByte;
    if (codes.wholeTable && (!table.notLaid || MadeWithNothingLaid(*table.notLaid))) {
        ui_->lblTable->setText(
            GameTextMessages::WholeTable(CodeMapMessages::CodeMapWholeTable(format)));
    } else if (!table.notLaid) {
        ui_->lblTable->setText(GameTextMessages::TableLaid(table.first, table.last));
    } else if (const auto* start = std::get_if<HexError>(&*table.notLaid)) {
        ui_->lblTable->setText(GameTextMessages::TableNotLaid(
            MakeTableMessages::Failure(StartCodeError{typed, *start})));
    } else {
        ui_->lblTable->setText(GameTextMessages::TableNotLaid(
            MakeTableMessages::Failure(std::get<AssemblyError>(*table.notLaid))));
    }
    text_->Show(offset_, page_, ReadCodesThroughTable(page_, codes), OffsetDigits(file->Size()));
    // What the page lacks, read as a dumper reads it, as `coverage` does for a whole script.
    ScriptCoverage coverage;
    coverage.Add(codes.Reader()->Read(page_));
    missing_->setText(DictionaryMessages::PageMissing(coverage.Missing()));
}

// The pointers are read again at each step: the file may have changed, and so may the blocks.
void GameTextWindow::StepPointer(bool forward) {
    const auto& file = game_.File();
    if (!file) return;
    const std::vector<std::uint64_t> targets =
        PointerTargets(ScriptSettings::Of(document_), *file);
    if (forward) {
        const auto next = std::upper_bound(targets.begin(), targets.end(), offset_);
        if (next != targets.end()) ShowOffset(*next);
    } else {
        const auto at = std::lower_bound(targets.begin(), targets.end(), offset_);
        if (at != targets.begin()) ShowOffset(*std::prev(at));
    }
}

void GameTextWindow::ExportScript() {
    if (exportDialog_ == nullptr) {
        exportDialog_ = new ExportScriptDialog(history_, game_, user_, this);
        exportDialog_->setWindowFlag(Qt::Window);
    }
    exportDialog_->show();
    exportDialog_->raise();
    exportDialog_->activateWindow();
}

}  // namespace glyphwright
