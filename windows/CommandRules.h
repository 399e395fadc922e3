#pragma once

#include <QObject>

#include "core/table/Document.h"

namespace glyphwright {

// When REMOVE and MAKE TABLE may be used: the one place that decides, from what the document
// does and the few choices of the user's it does not see. Both start unusable and, once usable,
// stay so for the run: no action makes either unusable again.
// - REMOVE: a line of the Table Order chosen, the first one included; "Relative  Entry" pressed
//   while the order is empty, even when it then adds nothing.
// - MAKE TABLE: a set included by "Relative  Entry" or the relative search, even one whose text
//   names no set; work a text format writes whole with no set laid: a project opened that lays a
//   set or holds entries, a table imported, a control code put.
// Single entries alone never make MAKE TABLE usable.
class CommandRules final : public QObject, private DocumentObserver {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CommandRules)

public:
    explicit CommandRules(Document& document, QObject* parent = nullptr);
    ~CommandRules() override;

    [[nodiscard]] bool RemoveUsable() const { return removeUsable_; }
    [[nodiscard]] bool MakeTableUsable() const { return makeTableUsable_; }

    // What the document does not tell:
    // "Relative  Entry" pressed (or the relative search's include), before it adds anything.
    void RelativeEntryPressed();
    // It added its line.
    void SetIncluded();
    // The user chose a line of the Table Order.
    void LineChosen();
    // A table file was imported with entries.
    void TableImported();

signals:
    void changed();  // REMOVE or MAKE TABLE became usable

private:
    void DocumentAboutToChange(const DocumentChange&) override {}
    void DocumentChanged(const DocumentChange& change) override;
    void Allow(bool remove, bool makeTable);

    Document& document_;
    bool removeUsable_ = false;
    bool makeTableUsable_ = false;
};

}  // namespace glyphwright
