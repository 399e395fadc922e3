#include "CommandRules.h"

#include <algorithm>

#include "core/table/HeldAndLaid.h"

namespace glyphwright {

CommandRules::CommandRules(Document& document, QObject* parent)
    : QObject(parent), document_(document) {
    document_.AddObserver(*this);
}

CommandRules::~CommandRules() {
    document_.RemoveObserver(*this);
}

void CommandRules::RelativeEntryPressed() {
    Allow(document_.Order().LineCount() == 0, false);
}

void CommandRules::SetIncluded() {
    Allow(false, true);
}

void CommandRules::LineChosen() {
    Allow(true, false);
}

void CommandRules::TableImported() {
    Allow(false, true);
}

void CommandRules::DocumentChanged(const DocumentChange& change) {
    // A project opened brings work that MAKE TABLE can write, with or without a set laid, and so
    // does a control code: the text formats write the table whole. A line put back by an undo, or
    // added by a redo, enables nothing: it was added once already, and a single entry's line
    // looks the same as that of a set whose text names no set.
    const auto& kinds = document_.TableText().Kinds();
    if ((change.order && change.orderChange.kind == OrderChange::Kind::Replaced &&
         (LaysASet(document_.Order()) || document_.TableText().HoldsAny())) ||
        (change.table && std::any_of(kinds.begin(), kinds.end(),
                                     [](EntryKind held) { return held != EntryKind::Ordinary; }))) {
        Allow(false, true);
    }
}

void CommandRules::Allow(bool remove, bool makeTable) {
    const bool before[] = {removeUsable_, makeTableUsable_};
    removeUsable_ = removeUsable_ || remove;
    makeTableUsable_ = makeTableUsable_ || makeTable;
    if (before[0] != removeUsable_ || before[1] != makeTableUsable_) emit changed();
}

}  // namespace glyphwright
