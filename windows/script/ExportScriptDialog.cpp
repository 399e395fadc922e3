#include "ExportScriptDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <string>
#include <variant>
#include <vector>

#include "DocumentHistory.h"
#include "DumpMessages.h"
#include "ExportScriptJob.h"
#include "FileMessages.h"
#include "GameFileMessages.h"
#include "ImportTableMessages.h"
#include "MakeTableMessages.h"
#include "OpenGameFile.h"
#include "ProgramMessages.h"
#include "RunAction.h"
#include "ScriptSettings.h"
#include "ScriptWindowMessages.h"
#include "WindowQueries.h"
#include "core/glyphs/FontAnchor.h"
#include "core/script/ScriptDump.h"
#include "storage/SaveFileAtomically.h"
#include "tablefile/MakeTable.h"
#include "tablefile/ScriptEntries.h"
#include "tablefile/TableFormat.h"

namespace glyphwright {

namespace {

// The problems told one by one; the script marks every one at its place.
constexpr std::size_t kProblemsTold = 20;

QString BlockText(const std::string& plan) {
    return QString::fromStdString(plan);
}

// The project's spelling of the inserter; Atlas's is none, so projects made before the choice
// read as Atlas.
constexpr const char* kAbcde = "abcde";

Inserter InserterOf(const ScriptSettings& settings) {
    return settings.inserter == kAbcde ? Inserter::Abcde : Inserter::Atlas;
}

}  // namespace

ExportScriptDialog::ExportScriptDialog(DocumentHistory& history, OpenGameFile& game,
                                       WindowQueries& user, QWidget* parent)
    : QDialog(parent),
      history_(history),
      game_(game),
      user_(user),
      blocks_(new QListWidget),
      newBlock_(new QLineEdit),
      add_(new QPushButton(ScriptWindowMessages::AddBlock())),
      remove_(new QPushButton(ScriptWindowMessages::RemoveBlock())),
      range_(new QLineEdit),
      inserter_(new QComboBox),
      export_(new QPushButton(ScriptWindowMessages::ExportButton())),
      stop_(new QPushButton(ScriptWindowMessages::StopButton())),
      progress_(new QProgressBar),
      report_(new QPlainTextEdit) {
    setObjectName(QStringLiteral("frmExportScript"));
    setWindowTitle(ScriptWindowMessages::ExportScriptTitle());
    blocks_->setObjectName(QStringLiteral("lstPointerBlocks"));
    newBlock_->setObjectName(QStringLiteral("txtPointerBlock"));
    add_->setObjectName(QStringLiteral("cmdAddBlock"));
    remove_->setObjectName(QStringLiteral("cmdRemoveBlock"));
    range_->setObjectName(QStringLiteral("txtRange"));
    inserter_->setObjectName(QStringLiteral("cboInserter"));
    inserter_->addItem(ScriptWindowMessages::AtlasInserter());
    inserter_->addItem(ScriptWindowMessages::AbcdeInserter());
    export_->setObjectName(QStringLiteral("cmdExport"));
    stop_->setObjectName(QStringLiteral("cmdStop"));
    progress_->setObjectName(QStringLiteral("barProgress"));
    progress_->setRange(0, 100);
    progress_->setValue(0);
    report_->setObjectName(QStringLiteral("txtReport"));
    report_->setReadOnly(true);
    for (QPushButton* button : {add_, remove_, export_, stop_}) button->setAutoDefault(false);

    auto* blocksCaption = new QLabel(ScriptWindowMessages::PointerBlocksCaption());
    blocksCaption->setBuddy(newBlock_);
    auto* rangeCaption = new QLabel(ScriptWindowMessages::RangeCaption());
    rangeCaption->setBuddy(range_);
    auto* addRow = new QHBoxLayout;
    addRow->addWidget(newBlock_, 1);
    addRow->addWidget(add_);
    addRow->addWidget(remove_);
    auto* inserterCaption = new QLabel(ScriptWindowMessages::InserterCaption());
    inserterCaption->setBuddy(inserter_);
    auto* inserterRow = new QHBoxLayout;
    inserterRow->addWidget(inserterCaption);
    inserterRow->addWidget(inserter_);
    inserterRow->addStretch(1);
    auto* close = new QDialogButtonBox;
    close->addButton(export_, QDialogButtonBox::ActionRole);
    close->addButton(stop_, QDialogButtonBox::ActionRole);
    close->addButton(ScriptWindowMessages::CloseButton(), QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(blocksCaption);
    layout->addWidget(blocks_, 1);
    layout->addLayout(addRow);
    layout->addWidget(rangeCaption);
    layout->addWidget(range_);
    layout->addLayout(inserterRow);
    layout->addWidget(report_, 1);
    layout->addWidget(progress_);
    layout->addWidget(close);
    resize(560, 460);

    const auto guarded = [this](auto action) { return Guarded(user_, this, action); };
    connect(add_, &QPushButton::clicked, this, guarded(&ExportScriptDialog::AddBlock));
    connect(newBlock_, &QLineEdit::returnPressed, this, guarded(&ExportScriptDialog::AddBlock));
    // Taken once the editor has let go of the item: keeping it fills the list afresh.
    connect(blocks_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (showing_) return;
        QTimer::singleShot(0, this, [this, row = blocks_->row(item)] {
            RunAction(user_, [this, row] { BlockEdited(row); });
        });
    });
    connect(remove_, &QPushButton::clicked, this, guarded(&ExportScriptDialog::RemoveBlock));
    connect(range_, &QLineEdit::editingFinished, this, guarded(&ExportScriptDialog::KeepRange));
    connect(inserter_, &QComboBox::activated, this, guarded(&ExportScriptDialog::KeepInserter));
    connect(export_, &QPushButton::clicked, this, guarded(&ExportScriptDialog::Export));
    connect(stop_, &QPushButton::clicked, this, &ExportScriptDialog::Stop);
    // An export of another file's bytes says nothing of the file open now.
    connect(&game_, &OpenGameFile::changed, this, [this] {
        if (!job_) return;
        job_.reset();
        progress_->setValue(0);
        report_->setPlainText(ScriptWindowMessages::Stopped(QString::fromStdString(scriptPath_)));
        Enable();
    });
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Closed while it runs, the export stops: nobody is left to read what it would tell.
    connect(this, &QDialog::rejected, this, &ExportScriptDialog::Stop);
    history_.Doc().AddObserver(*this);
    ShowSettings();
    Enable();
}

ExportScriptDialog::~ExportScriptDialog() {
    history_.Doc().RemoveObserver(*this);
}

void ExportScriptDialog::DocumentChanged(const DocumentChange& change) {
    if (change.settings) ShowSettings();
}

void ExportScriptDialog::ShowSettings() {
    const ScriptSettings settings = ScriptSettings::Of(history_.Doc());
    const int row = blocks_->currentRow();
    showing_ = true;
    blocks_->clear();
    for (const std::string& plan : settings.pointers) {
        auto* item = new QListWidgetItem(BlockText(plan), blocks_);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
    showing_ = false;
    blocks_->setCurrentRow(std::min(row, blocks_->count() - 1));
    range_->setText(BlockText(settings.range));
    inserter_->setCurrentIndex(InserterOf(settings) == Inserter::Abcde ? 1 : 0);
    remove_->setEnabled(blocks_->count() > 0);
}

void ExportScriptDialog::Refuse(const QString& text) {
    user_.ShowMessage(ProgramMessages::Title().toStdString(), text.toStdString(),
                      MessageIcon::Exclamation);
}

std::optional<QString> ExportScriptDialog::Spelled(const QString& typed) {
    const auto block = ReadPointerBlock(typed.trimmed().toStdString());
    if (!block) {
        Refuse(DumpMessages::BadPointers(typed.trimmed(), block.error()));
        return std::nullopt;
    }
    const PointerBlock& read = block.value();
    return QStringLiteral("%1:%2:%3")
        .arg(QString::number(read.offset, 16).toUpper())
        .arg(read.count)
        .arg(QString::fromStdString(PointerKindName(read.kind)));
}

void ExportScriptDialog::AddBlock() {
    if (newBlock_->text().trimmed().isEmpty()) return;
    const auto plan = Spelled(newBlock_->text());
    if (!plan) return;
    ScriptSettings settings = ScriptSettings::Of(history_.Doc());
    settings.pointers.push_back(plan->toStdString());
    history_.Run(DocumentCommand::SetFeatureSettings(history_.Doc(), ScriptSettings::kFeature,
                                                     settings.Json()),
                 ScriptWindowMessages::AddBlockAction(*plan));
    newBlock_->clear();
    blocks_->setCurrentRow(blocks_->count() - 1);
}

void ExportScriptDialog::BlockEdited(int row) {
    ScriptSettings settings = ScriptSettings::Of(history_.Doc());
    if (row < 0 || static_cast<std::size_t>(row) >= settings.pointers.size()) return;
    const auto plan = Spelled(blocks_->item(row)->text());
    // Refused or not, the list shows what the project holds, spelled as kept.
    if (plan && plan->toStdString() != settings.pointers[static_cast<std::size_t>(row)]) {
        const QString before = BlockText(settings.pointers[static_cast<std::size_t>(row)]);
        settings.pointers[static_cast<std::size_t>(row)] = plan->toStdString();
        history_.Run(DocumentCommand::SetFeatureSettings(history_.Doc(), ScriptSettings::kFeature,
                                                         settings.Json()),
                     ScriptWindowMessages::EditBlockAction(before, *plan));
    }
    ShowSettings();
}

void ExportScriptDialog::RemoveBlock() {
    const int row = blocks_->currentRow();
    ScriptSettings settings = ScriptSettings::Of(history_.Doc());
    if (row < 0 || static_cast<std::size_t>(row) >= settings.pointers.size()) return;
    const QString plan = BlockText(settings.pointers[static_cast<std::size_t>(row)]);
    settings.pointers.erase(settings.pointers.begin() + row);
    history_.Run(DocumentCommand::SetFeatureSettings(history_.Doc(), ScriptSettings::kFeature,
                                                     settings.Json()),
                 ScriptWindowMessages::RemoveBlockAction(plan));
}

void ExportScriptDialog::KeepRange() {
    const QString typed = range_->text().trimmed();
    ScriptSettings settings = ScriptSettings::Of(history_.Doc());
    if (typed.toStdString() == settings.range) return;
    if (!typed.isEmpty()) {
        if (const auto range = ReadByteRange(typed.toStdString()); !range) {
            Refuse(DumpMessages::BadRange(typed, range.error()));
            range_->setText(BlockText(settings.range));
            return;
        }
    }
    settings.range = typed.toStdString();
    history_.Run(DocumentCommand::SetFeatureSettings(history_.Doc(), ScriptSettings::kFeature,
                                                     settings.Json()),
                 ScriptWindowMessages::RangeAction());
}

void ExportScriptDialog::KeepInserter() {
    ScriptSettings settings = ScriptSettings::Of(history_.Doc());
    const std::string chosen = inserter_->currentIndex() == 1 ? kAbcde : "";
    if (chosen == settings.inserter) return;
    settings.inserter = chosen;
    history_.Run(DocumentCommand::SetFeatureSettings(history_.Doc(), ScriptSettings::kFeature,
                                                     settings.Json()),
                 ScriptWindowMessages::InserterAction(inserter_->currentText()));
}

void ExportScriptDialog::Export() {
    if (job_) return;
    KeepRange();
    const ScriptSettings settings = ScriptSettings::Of(history_.Doc());
    DumpRequest request;
    for (const std::string& plan : settings.pointers) {
        const auto block = ReadPointerBlock(plan);
        if (!block) {
            Refuse(DumpMessages::BadPointers(BlockText(plan), block.error()));
            return;
        }
        request.blocks.push_back(block.value());
    }
    if (!settings.range.empty()) {
        const auto range = ReadByteRange(settings.range);
        if (!range) {
            Refuse(DumpMessages::BadRange(BlockText(settings.range), range.error()));
            return;
        }
        request.range = range.value();
    }
    if (request.blocks.empty() && !request.range) {
        Refuse(DumpMessages::NothingToDump());
        return;
    }
    const auto& file = game_.File();
    if (!file) {
        Refuse(ScriptWindowMessages::NoGameFile());
        return;
    }
    // The table as MAKE TABLE would write it now, in UTF-8, as the inserter will read it.
    const Document& document = history_.Doc();
    const Workspace made = TableAsMadeNow(document.Table(), document.Order(), document.StartCode(),
                                          document.TwoByteOrder());
    const auto tableFile = FormatTable(made, TableFormat::Utf8);
    if (!tableFile) {
        Refuse(MakeTableMessages::Failure(tableFile.error()));
        return;
    }
    auto read = ReadScriptTables(tableFile.value(), TableFormat::Utf8);
    if (!read) {
        Refuse(ImportTableMessages::ImportProblems(QString(), read.error().problems));
        return;
    }
    ScriptTables tables = std::move(read).value();

    std::vector<std::string> filters;
    for (const QString& filter : ScriptWindowMessages::ScriptFilters()) {
        filters.push_back(filter.toStdString());
    }
    const auto answer = user_.AskSavePath(filters, {});
    if (!answer) return;
    scriptPath_ = answer->path;
    request.tablePath = scriptPath_ + ".tbl";
    // The tables switches read through are files of their own to the inserter, and the first
    // then holds its own lines alone; so it does when it holds linked entries, whose lines abcde
    // refuses in this format (the dump writes them raw).
    std::string inserterTable = tableFile.value();
    std::vector<std::pair<std::string, std::string>> furtherFiles;
    const bool linked = std::any_of(tables.entries.begin(), tables.entries.end(),
                                    [](const ScriptEntry& e) { return e.kind == EntryKind::Linked; });
    if (!tables.further.empty() || linked) inserterTable = InserterTableFile(tables.entries);
    for (const ScriptSection& section : tables.further) {
        const std::string path = FurtherTablePath(request.tablePath, section.id);
        request.furtherTablePaths.emplace(section.id, path);
        furtherFiles.emplace_back(path, InserterTableFile(section.entries));
    }
    job_ = StartExportScript(ScriptExport{
        *file, std::move(tables.entries), std::move(request), scriptPath_, std::move(inserterTable),
        std::move(tables.further), std::move(tables.id), std::move(furtherFiles),
        InserterOf(settings)});
    connect(job_.get(), &ExportScriptJob::progressValueChanged, progress_,
            &QProgressBar::setValue);
    connect(job_.get(), &ExportScriptJob::finished, this, &ExportScriptDialog::Finished);
    progress_->setValue(0);
    report_->setPlainText(ScriptWindowMessages::Exporting(QString::fromStdString(scriptPath_)));
    Enable();
}

void ExportScriptDialog::Stop() {
    if (job_) job_->Cancel();
}

void ExportScriptDialog::Enable() {
    const bool running = job_ != nullptr;
    export_->setEnabled(!running);
    stop_->setEnabled(running);
}

void ExportScriptDialog::Finished() {
    const ExportScriptOutcome outcome = TakeFinished(job_, ExportScriptOutcome{DumpCancelled{}});
    Enable();
    const QString shown = QString::fromStdString(scriptPath_);
    if (std::holds_alternative<DumpCancelled>(outcome)) {
        progress_->setValue(0);
        report_->setPlainText(ScriptWindowMessages::Stopped(shown));
        return;
    }
    if (const auto* failed = std::get_if<GameFileError>(&outcome)) {
        progress_->setValue(0);
        report_->clear();
        Refuse(ScriptWindowMessages::GameUnreadable(GameFileMessages::Failure(*failed)));
        return;
    }
    if (const auto* failed = std::get_if<FileError>(&outcome)) {
        progress_->setValue(0);
        report_->clear();
        Refuse(FileMessages::Failure(*failed));
        return;
    }
    const DumpResult& dump = std::get<DumpResult>(outcome);
    progress_->setValue(100);
    QStringList lines{DumpMessages::Written(shown, dump.strings, dump.pointers),
                      ScriptWindowMessages::TableWritten(shown + QStringLiteral(".tbl"))};
    if (!dump.unread.empty()) lines << DumpMessages::Unread(dump.unread);
    for (std::size_t i = 0; i < dump.problems.size() && i < kProblemsTold; ++i) {
        lines << DumpMessages::Problem(dump.problems[i]);
    }
    if (dump.problems.size() > kProblemsTold) {
        lines << DumpMessages::MoreProblems(dump.problems.size() - kProblemsTold);
    }
    if (!dump.problems.empty()) {
        lines << DumpMessages::WrittenWithProblems(shown, dump.problems.size());
    }
    report_->setPlainText(lines.join(QLatin1Char('\n')));
}

}  // namespace glyphwright
