#include "DocumentHistory.h"

#include <QUndoCommand>

namespace glyphwright {

namespace {

// One command on the stack; QUndoStack::push does it the first time.
class DocumentUndoCommand final : public QUndoCommand {
public:
    DocumentUndoCommand(Document& document, DocumentCommand command, const QString& name)
        : QUndoCommand(name), document_(document), command_(std::move(command)) {}

    void redo() override { command_.Do(document_); }
    void undo() override { command_.Undo(document_); }
    // Keys typed into the start code box one after another are one step.
    [[nodiscard]] int id() const override { return 1; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto& later = static_cast<const DocumentUndoCommand*>(other)->command_;
        if (!command_.CanJoin(later)) return false;
        command_.Join(later);
        setText(other->text());
        return true;
    }

private:
    Document& document_;
    DocumentCommand command_;
};

}  // namespace

DocumentHistory::DocumentHistory(Document& document, QObject* parent)
    : QObject(parent), document_(document) {}

DocumentHistory::~DocumentHistory() = default;

void DocumentHistory::Run(const DocumentCommand& command, const QString& name) {
    if (command.IsEmpty()) return;
    stack_.push(new DocumentUndoCommand(document_, command, name));
}

void DocumentHistory::Forget() {
    stack_.clear();
}

}  // namespace glyphwright
