#include "core/table/Document.h"

#include <algorithm>

#include "core/sets/SetCatalogue.h"

namespace glyphwright {

Document::Document() : Document(SetCatalogue::BuiltInsOnly()) {}

Document::Document(const SetCatalogue& sets) : catalogue_(&sets) {
    contents_.order.UseCatalogue(sets);
}

void Document::Apply(const DocumentStep& step, std::optional<std::uint64_t> revision) {
    DocumentChange change;
    TableOrder& order = contents_.order;
    switch (step.orderEdit) {
        case DocumentStep::OrderEdit::None:
            break;
        case DocumentStep::OrderEdit::Insert:
            change.order = true;
            change.orderChange = {step.line == order.LineCount() ? OrderChange::Kind::Appended
                                                                 : OrderChange::Kind::Inserted,
                                  step.line};
            break;
        case DocumentStep::OrderEdit::Remove:
            change.order = true;
            change.orderChange = {OrderChange::Kind::Removed, step.line};
            break;
        case DocumentStep::OrderEdit::SetStart:
            change.order = true;
            change.orderChange = {OrderChange::Kind::StartSet, step.line};
            break;
    }
    change.table = !step.entries.empty() || step.currentCode || step.lastCode || step.tables;
    change.startCode = step.startCode.has_value();
    change.settings = step.featureSettings.has_value();
    change.codeOrder = step.codeOrder.has_value();

    AboutTo(change);
    switch (step.orderEdit) {
        case DocumentStep::OrderEdit::None:
            break;
        case DocumentStep::OrderEdit::Insert:
            (void)order.Insert(step.line, step.value);
            break;
        case DocumentStep::OrderEdit::Remove:
            order.Remove(step.line);
            break;
        case DocumentStep::OrderEdit::SetStart:
            order.SetStartCode(step.line, step.value.StartCode());
            break;
    }
    for (const auto& [code, entry] : step.entries) contents_.table.TableText.Put(code, entry);
    if (step.tables) {
        contents_.table.TableId = step.tables->first;
        contents_.table.FurtherTables = step.tables->second;
    }
    if (step.codeOrder) contents_.codeOrder = *step.codeOrder;
    if (step.currentCode) contents_.table.CurrentCode = *step.currentCode;
    if (step.lastCode) contents_.table.LastCode = *step.lastCode;
    if (step.startCode) contents_.startCode = *step.startCode;
    if (step.featureSettings) {
        const auto& [feature, json] = *step.featureSettings;
        if (json.empty()) {
            contents_.featureSettings.erase(feature);
        } else {
            contents_.featureSettings[feature] = json;
        }
    }
    revision_ = revision ? *revision : NewRevision();
    Changed(change);
}

void Document::Replace(DocumentContents contents) {
    DocumentChange change{true,  true, true, true, true, {OrderChange::Kind::Replaced, 0},
                          false, true};
    change.gameFile = true;
    AboutTo(change);
    contents_ = std::move(contents);
    gameFile_.reset();
    revision_ = NewRevision();
    contents_.order.UseCatalogue(*catalogue_);
    Changed(change);
}

void Document::SetGameFile(GameFile file) {
    DocumentChange change;
    change.gameFile = true;
    change.files = file.Path() != contents_.gameFilePath;  // the same file again: only reread
    AboutTo(change);
    contents_.gameFilePath = file.Path();
    gameFile_ = std::move(file);
    if (change.files) revision_ = NewRevision();
    Changed(change);
}

void Document::SetTableFile(std::string name, std::string format) {
    if (name == contents_.tableFileName && format == contents_.tableFormat) return;
    DocumentChange change;
    change.files = true;
    AboutTo(change);
    contents_.tableFileName = std::move(name);
    contents_.tableFormat = std::move(format);
    revision_ = NewRevision();
    Changed(change);
}

void Document::SetFeatureSettings(const std::string& feature, std::string json) {
    DocumentChange change;
    change.settings = true;
    AboutTo(change);
    contents_.featureSettings[feature] = std::move(json);
    revision_ = NewRevision();
    Changed(change);
}

void Document::SetsChanged() {
    DocumentChange change;
    change.sets = true;
    AboutTo(change);
    Changed(change);
}

void Document::AddObserver(DocumentObserver& observer) {
    observers_.push_back(&observer);
}

void Document::RemoveObserver(DocumentObserver& observer) {
    std::erase(observers_, &observer);
}

void Document::AboutTo(const DocumentChange& change) {
    // A copy: an observer may stop observing while it hears of a change.
    for (DocumentObserver* observer : std::vector(observers_)) {
        observer->DocumentAboutToChange(change);
    }
}

void Document::Changed(const DocumentChange& change) {
    for (DocumentObserver* observer : std::vector(observers_)) observer->DocumentChanged(change);
}

}  // namespace glyphwright
