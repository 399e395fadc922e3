#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>

#include "core/table/DocumentCommand.h"

namespace glyphwright {

// The history of a document's changes: every command is done through here, named for the Edit
// menu ("Remove Katakana"), and can be undone and redone.
class DocumentHistory final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DocumentHistory)

public:
    explicit DocumentHistory(Document& document, QObject* parent = nullptr);
    ~DocumentHistory() override;

    [[nodiscard]] Document& Doc() { return document_; }
    [[nodiscard]] QUndoStack& Stack() { return stack_; }

    // Does the command and keeps it; a command that changes nothing is not kept.
    void Run(const DocumentCommand& command, const QString& name);
    // Forgets every command, as after a project is opened or a new document begun.
    void Forget();

private:
    Document& document_;
    QUndoStack stack_;
};

}  // namespace glyphwright
