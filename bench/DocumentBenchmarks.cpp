// The document's history and its project file on a 1000-line order: undo and redo through the
// windows (the list, the main window and the code map follow), and a project opened and saved.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QUndoStack>

#include "BenchSupport.h"
#include "Session.h"
#include "core/table/AssembleTable.h"
#include "core/sets/SetCatalogue.h"
#include "support/LoadOrder.h"
#include "project/ProjectFile.h"
#include "storage/SaveFileAtomically.h"

namespace glyphwright::bench {
namespace {

void Settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// The 1000-line load order with all 256 codes filled, as a long session leaves it.
DocumentContents LoadedContents() {
    DocumentContents contents = evidence::LoadedContents(evidence::MakeLoadOrder(1000));
    for (std::size_t code = 0; code < kCodeCount; ++code) {
        if (contents.table.TableText[code].empty()) contents.table.TableText.Put(TableCode::OneByte(static_cast<ByteCode>(code)), {"あ"});
    }
    contents.startCode = "00";
    return contents;
}

// Undo, then redo, of `action` done once through the history with the code map open; each
// iteration is one of the two, handled and repainted.
template <class Action>
void TimeUndoRedo(benchmark::State& state, Action&& action) {
    test::Session session;
    session.document.Replace(LoadedContents());
    session.windows.ShowCodeMap();
    Settle();
    action(session);
    QUndoStack& stack = session.state.history.Stack();
    long i = 0;
    for (auto _ : state) {
        if (i++ % 2 == 0) {
            stack.undo();
        } else {
            stack.redo();
        }
        Settle();
    }
}

void UndoRedoRemove(benchmark::State& state) {
    TimeUndoRedo(state, [](test::Session& session) {
        session.state.history.Run(DocumentCommand::RemoveLine(session.document, 499),
                                  QStringLiteral("Remove"));
    });
}
BENCHMARK(UndoRedoRemove)->Name(kUndoRedoRemove)->UseRealTime();

// The largest step: a MAKE TABLE run that lays over every code.
void UndoRedoMakeTable(benchmark::State& state) {
    TimeUndoRedo(state, [](test::Session& session) {
        Workspace table = session.document.Table();
        for (std::size_t code = 0; code < kCodeCount; ++code) {
            table.TableText.Put(TableCode::OneByte(static_cast<ByteCode>(code)), {"x"});
        }
        table.LastCode = 0xFF;
        session.state.history.Run(DocumentCommand::StoreTable(session.document, table),
                                  QStringLiteral("Make Table"));
    });
}
BENCHMARK(UndoRedoMakeTable)->Name(kUndoRedoMakeTable)->UseRealTime();

void SaveProject(benchmark::State& state) {
    const DocumentContents contents = LoadedContents();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("p.gwproj"));
    for (auto _ : state) {
        const QByteArray file = WriteProject(contents, path);
        if (!SaveFileAtomically(QFile::encodeName(path).toStdString(), file.toStdString())) {
            state.SkipWithError("the project was not saved");
        }
    }
}
BENCHMARK(SaveProject)->Name(kProjectSave)->UseRealTime();

void OpenProject(benchmark::State& state) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("p.gwproj"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) return state.SkipWithError("no project file");
        file.write(WriteProject(LoadedContents(), path));
    }
    Document document;
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return state.SkipWithError("no project file");
        auto read = ReadProject(file.readAll(), path, SetCatalogue::BuiltInsOnly());
        if (!read) return state.SkipWithError("the project was not read");
        document.Replace(std::move(read.value()));
    }
}
BENCHMARK(OpenProject)->Name(kProjectOpen)->UseRealTime();

}  // namespace
}  // namespace glyphwright::bench
