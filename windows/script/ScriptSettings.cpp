#include "ScriptSettings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <algorithm>

#include "core/game/GameFile.h"
#include "core/script/PointerBlocks.h"
#include "core/table/Document.h"

namespace glyphwright {

ScriptSettings ScriptSettings::Of(const Document& document) {
    ScriptSettings settings;
    const auto& all = document.Contents().featureSettings;
    const auto held = all.find(kFeature);
    if (held == all.end()) return settings;
    const QJsonObject json =
        QJsonDocument::fromJson(QByteArray::fromStdString(held->second)).object();
    for (const QJsonValue plan : json.value(QStringLiteral("pointers")).toArray()) {
        if (plan.isString()) settings.pointers.push_back(plan.toString().toStdString());
    }
    settings.range = json.value(QStringLiteral("range")).toString().toStdString();
    settings.inserter = json.value(QStringLiteral("inserter")).toString().toStdString();
    return settings;
}

std::string ScriptSettings::Json() const {
    QJsonArray plans;
    for (const std::string& plan : pointers) plans.append(QString::fromStdString(plan));
    QJsonObject json{{QStringLiteral("pointers"), plans}};
    if (!range.empty()) json.insert(QStringLiteral("range"), QString::fromStdString(range));
    if (!inserter.empty()) {
        json.insert(QStringLiteral("inserter"), QString::fromStdString(inserter));
    }
    return QJsonDocument(json).toJson(QJsonDocument::Compact).toStdString();
}

std::vector<std::uint64_t> PointerTargets(const ScriptSettings& settings, const GameFile& game) {
    std::vector<std::uint64_t> targets;
    for (const std::string& plan : settings.pointers) {
        const auto block = ReadPointerBlock(plan);
        if (!block || block.value().offset >= game.Size()) continue;
        const PointerBlock& read = block.value();
        const auto bytes = static_cast<std::size_t>(
            std::min<std::uint64_t>(read.End(), game.Size()) - read.offset);
        const auto window = game.ReadWindow(read.offset, bytes);
        if (!window) continue;
        const std::vector<std::uint8_t>& held = window.value();
        const auto width = static_cast<std::size_t>(read.kind.bytes);
        for (std::size_t at = 0; at + width <= held.size(); at += width) {
            const auto target =
                OffsetOf(read.kind, PointerValue(read.kind, std::span(held).subspan(at, width)));
            if (target && *target < game.Size()) targets.push_back(*target);
        }
    }
    std::sort(targets.begin(), targets.end());
    targets.erase(std::unique(targets.begin(), targets.end()), targets.end());
    return targets;
}

}  // namespace glyphwright
