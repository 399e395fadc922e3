#include "ProjectFile.h"

#include <algorithm>

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "core/table/CodeOrder.h"
#include "core/text/EucJp.h"
#include "core/table/ParseHexByte.h"
#include "core/sets/ProjectSets.h"
#include "core/sets/SetFile.h"
#include "core/table/TableCode.h"

namespace glyphwright {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
const QString kFormatName = QStringLiteral("glyphwright-project");

QString Hex(int code) {
    return QString(QLatin1Char(kHexDigits[code >> 4])) + QLatin1Char(kHexDigits[code & 0x0F]);
}

QString KindName(EntryKind kind) {
    switch (kind) {
        case EntryKind::Ordinary:
            return QStringLiteral("ordinary");
        case EntryKind::EndCode:
            return QStringLiteral("end");
        case EntryKind::LineBreak:
            return QStringLiteral("linebreak");
        case EntryKind::Linked:
            return QStringLiteral("linked");
        case EntryKind::TableSwitch:
            return QStringLiteral("switch");
    }
    return QStringLiteral("ordinary");
}

std::optional<EntryKind> KindNamed(const QString& name) {
    for (const EntryKind kind : {EntryKind::Ordinary, EntryKind::EndCode, EntryKind::LineBreak,
                                 EntryKind::Linked, EntryKind::TableSwitch}) {
        if (KindName(kind) == name) return kind;
    }
    return std::nullopt;
}

// Bytes as spaced hex ("A4 A2"), for entries that are no EUC-JP text.
std::optional<std::string> ReadSpacedHex(const QString& text) {
    std::string bytes;
    for (const QString& part : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const auto byte = ReadHexByte(part.toStdString());
        if (!byte || part.size() != 2) return std::nullopt;
        bytes += static_cast<char>(byte.value());
    }
    return bytes;
}

// Out of line: GCC 12 warns falsely about the variant's other member when this is inlined.
[[gnu::noinline]] Result<DocumentContents, ProjectError> Refused(ProjectError::Kind kind,
                                                                 QString detail) {
    return ProjectError{kind, std::move(detail)};
}

std::optional<ByteCode> CodeField(const QJsonObject& object, const QString& name) {
    if (!object.value(name).isString()) return std::nullopt;
    const QString text = object.value(name).toString();
    const auto code = ReadHexByte(text.toStdString());
    if (!code || text.size() != 2) return std::nullopt;
    return code.value();
}

// The user's sets a project keeps, as the lines of a set file: readable in the project as they
// would be in the set file, and read by the same reader with the same checks.
QJsonArray KeptSetsField(const TableOrder& order) {
    QJsonArray lines;
    const std::vector<UserSet> kept = SetsKeptBy(order);
    if (kept.empty()) return lines;
    const QString text = QString::fromStdString(WriteSetFile(kept));
    for (const QString& line : text.split(QLatin1Char('\n'))) lines.append(line);
    if (lines.last().toString().isEmpty()) lines.removeLast();
    return lines;
}

// The kept sets of a project file's root; none in a project written before sets were kept.
Result<std::vector<UserSet>, ProjectError> KeptSets(const QJsonObject& root) {
    using Kind = ProjectError::Kind;
    const QString field = QStringLiteral("sets");
    if (!root.contains(field)) return std::vector<UserSet>{};
    const QJsonValue value = root.value(field);
    if (!value.isArray()) return ProjectError{Kind::BadField, field};
    std::string text;
    for (const QJsonValue& line : value.toArray()) {
        if (!line.isString()) return ProjectError{Kind::BadField, field};
        text.append(line.toString().toStdString()).append(1, '\n');
    }
    auto read = ReadSetFile(text);
    if (!read) {
        const std::size_t line = read.error().line;
        return ProjectError{Kind::BadField,
                            line == 0 ? field : QStringLiteral("sets[%1]").arg(line - 1)};
    }
    return std::move(read).value();
}

// A code of one byte ("80") or two ("0080").
std::optional<TableCode> TableCodeField(const QJsonObject& object, const QString& name) {
    if (!object.value(name).isString()) return std::nullopt;
    return ReadTableCode(object.value(name).toString().toStdString());
}

// Whether an older Glyphwright, which knows one-byte codes only, would misread the project.
bool NeedsTwoByteCodes(const DocumentContents& contents) {
    return !contents.table.TableText.TwoByte().empty() || contents.codeOrder != CodeOrder::BigEndian ||
           std::any_of(contents.order.Lines().begin(), contents.order.Lines().end(),
                       [](const TableOrderLine& line) { return line.wideStart; });
}

// Whether an older Glyphwright would lose part of the project: kinds or tables it does not know.
bool NeedsKinds(const DocumentContents& contents) {
    const TableEntries& table = contents.table.TableText;
    const auto isNew = [](EntryKind kind) {
        return kind == EntryKind::Linked || kind == EntryKind::TableSwitch;
    };
    return !contents.table.TableId.empty() || !contents.table.FurtherTables.empty() ||
           std::any_of(table.Kinds().begin(), table.Kinds().end(), isNew) ||
           std::any_of(table.TwoByte().begin(), table.TwoByte().end(),
                       [&isNew](const auto& held) { return isNew(held.second.kind); });
}

QJsonObject EntryObject(TableCode code, const TableEntry& held) {
    QJsonObject entry;
    entry[QStringLiteral("code")] = QString::fromStdString(code.Hex());
    entry[QStringLiteral("text")] = QString::fromStdString(held.text);
    if (held.kind != EntryKind::Ordinary) {
        entry[QStringLiteral("kind")] = KindName(held.kind);
    }
    if (held.kind == EntryKind::Linked) entry[QStringLiteral("parameters")] = held.parameters;
    if (held.kind == EntryKind::TableSwitch) {
        entry[QStringLiteral("table")] = QString::fromStdString(held.table);
        entry[QStringLiteral("count")] = held.count;
    }
    return entry;
}

// Every entry a table holds, in the order the table files list them: 80, 8000, 8001…, then 81.
QJsonArray EntriesField(const TableEntries& table) {
    QJsonArray entries;
    const TwoByteTable& held = table.TwoByte();
    auto twoByte = held.begin();
    for (int code = 0; code < kCodeCount; ++code) {
        const auto slot = static_cast<ByteCode>(code);
        if (table.At(slot).Holds()) {
            entries.append(EntryObject(TableCode::OneByte(slot), table.At(slot)));
        }
        for (; twoByte != held.end() && twoByte->first >> 8 == code; ++twoByte) {
            entries.append(EntryObject(TableCode::TwoByte(twoByte->first), twoByte->second));
        }
    }
    return entries;
}

// A whole number field of `entry` within first..last.
std::optional<int> CountField(const QJsonObject& entry, const QString& name, int first, int last) {
    const QJsonValue value = entry.value(name);
    if (!value.isDouble()) return std::nullopt;
    const double number = value.toDouble();
    if (number < first || number > last || number != static_cast<double>(static_cast<int>(number))) {
        return std::nullopt;
    }
    return static_cast<int>(number);
}

// The entries of one table, from the array `value` of a project at `field`.
Result<TableEntries, ProjectError> ReadEntries(const QJsonValue& value, const QString& field) {
    using Kind = ProjectError::Kind;
    if (!value.isArray()) return ProjectError{Kind::BadField, field};
    TableEntries table;
    int index = 0;
    for (const QJsonValue& item : value.toArray()) {
        const QString where = QStringLiteral("%1[%2]").arg(field).arg(index++);
        const QJsonObject entry = item.toObject();
        const auto code = TableCodeField(entry, QStringLiteral("code"));
        if (!item.isObject() || !code) return ProjectError{Kind::BadField, where + QStringLiteral(".code")};
        TableEntry held;
        if (entry.value(QStringLiteral("text")).isString()) {
            held.text = entry.value(QStringLiteral("text")).toString().toStdString();
        } else if (entry.value(QStringLiteral("bytes")).isString()) {
            // Written by earlier versions for entries kept as EUC-JP bytes.
            const auto read = ReadSpacedHex(entry.value(QStringLiteral("bytes")).toString());
            auto text = read ? DecodeEucJp(*read) : Result<std::string, InvalidEucJp>(InvalidEucJp{});
            if (!text) return ProjectError{Kind::BadField, where + QStringLiteral(".bytes")};
            held.text = std::move(text).value();
        } else {
            return ProjectError{Kind::BadField, where + QStringLiteral(".text")};
        }
        if (entry.contains(QStringLiteral("kind"))) {
            const auto named = KindNamed(entry.value(QStringLiteral("kind")).toString());
            if (!named) return ProjectError{Kind::BadField, where + QStringLiteral(".kind")};
            held.kind = *named;
        }
        if (held.kind == EntryKind::Linked) {
            const auto parameters = CountField(entry, QStringLiteral("parameters"), 1, kMaxParameters);
            if (!parameters) return ProjectError{Kind::BadField, where + QStringLiteral(".parameters")};
            held.parameters = *parameters;
        }
        if (held.kind == EntryKind::TableSwitch) {
            const std::string id = entry.value(QStringLiteral("table")).toString().toStdString();
            if (!IsTableId(id)) return ProjectError{Kind::BadField, where + QStringLiteral(".table")};
            const auto count = CountField(entry, QStringLiteral("count"), 0, kMaxSwitchCount);
            if (!count) return ProjectError{Kind::BadField, where + QStringLiteral(".count")};
            held.table = id;
            held.count = *count;
        }
        table.Put(*code, std::move(held));
    }
    return table;
}

}  // namespace

QByteArray WriteProject(const DocumentContents& contents, const QString& projectPath) {
    QJsonObject root;
    root[QStringLiteral("format")] = kFormatName;
    root[QStringLiteral("version")] = NeedsKinds(contents)          ? kProjectVersion
                                      : NeedsTwoByteCodes(contents) ? 2
                                                                    : 1;
    root[QStringLiteral("startCode")] = QString::fromStdString(contents.startCode);

    const QJsonArray entries = EntriesField(contents.table.TableText);
    root[QStringLiteral("entries")] = entries;
    if (!contents.table.TableId.empty()) {
        root[QStringLiteral("tableId")] = QString::fromStdString(contents.table.TableId);
    }
    if (!contents.table.FurtherTables.empty()) {
        QJsonArray tables;
        for (const NamedTable& table : contents.table.FurtherTables) {
            QJsonObject object;
            object[QStringLiteral("id")] = QString::fromStdString(table.id);
            object[QStringLiteral("entries")] = EntriesField(table.entries);
            tables.append(object);
        }
        root[QStringLiteral("tables")] = tables;
    }
    if (contents.codeOrder != CodeOrder::BigEndian) {
        root[QStringLiteral("codeOrder")] =
            QString::fromStdString(CodeOrderName(contents.codeOrder));
    }

    QJsonArray order;
    for (const TableOrderLine& line : contents.order.Lines()) {
        QJsonObject object;
        object[QStringLiteral("text")] = QString::fromStdString(line.text);
        // A single entry's line may show a set's name; it lays nothing all the same.
        if (!line.laysSet && contents.order.FindSet(line.text) != nullptr) {
            object[QStringLiteral("entry")] = true;
        }
        if (const auto start = line.StartCode()) {
            object[QStringLiteral("start")] = QString::fromStdString(start->Hex());
        }
        order.append(object);
    }
    root[QStringLiteral("order")] = order;
    if (const QJsonArray kept = KeptSetsField(contents.order); !kept.isEmpty()) {
        root[QStringLiteral("sets")] = kept;
    }

    QJsonObject lastRun;
    lastRun[QStringLiteral("start")] = Hex(contents.table.CurrentCode);
    lastRun[QStringLiteral("last")] = Hex(contents.table.LastCode);
    root[QStringLiteral("lastRun")] = lastRun;

    if (!contents.gameFilePath.empty()) {
        const QString game = QString::fromStdString(contents.gameFilePath);
        const QDir folder = QFileInfo(projectPath).absoluteDir();
        root[QStringLiteral("gameFile")] =
            QFileInfo(game).isAbsolute() ? folder.relativeFilePath(game) : game;
    }
    // A format read without a name (a project written by hand) is kept too: `make --project`
    // writes in the project's last format.
    if (!contents.tableFileName.empty() || !contents.tableFormat.empty()) {
        QJsonObject table;
        table[QStringLiteral("name")] = QString::fromStdString(contents.tableFileName);
        table[QStringLiteral("format")] = QString::fromStdString(contents.tableFormat);
        root[QStringLiteral("tableFile")] = table;
    }
    QJsonObject features;
    for (const auto& [name, json] : contents.featureSettings) {
        features[QString::fromStdString(name)] =
            QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
    }
    root[QStringLiteral("features")] = features;
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

Result<DocumentContents, ProjectError> ReadProject(const QByteArray& file,
                                                   const QString& projectPath,
                                                   const SetCatalogue& sets) {
    using Kind = ProjectError::Kind;
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(file, &parseError);
    if (json.isNull()) {
        return Refused(
            Kind::NotJson,
            QStringLiteral("%1 (at byte %2)").arg(parseError.errorString()).arg(parseError.offset));
    }
    const QJsonObject root = json.object();
    if (!json.isObject() || root.value(QStringLiteral("format")).toString() != kFormatName) {
        return Refused(Kind::NotProject, {});
    }
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() < 1) {
        return Refused(Kind::BadField, QStringLiteral("version"));
    }
    if (version.toDouble() > kProjectVersion) {
        return Refused(Kind::Newer, QString::number(version.toDouble()));
    }

    const auto kept = KeptSets(root);
    if (!kept) return kept.error();

    DocumentContents contents;
    contents.order.UseCatalogue(sets);
    if (!root.value(QStringLiteral("startCode")).isString()) {
        return Refused(Kind::BadField, QStringLiteral("startCode"));
    }
    contents.startCode = root.value(QStringLiteral("startCode")).toString().toStdString();

    auto entries = ReadEntries(root.value(QStringLiteral("entries")), QStringLiteral("entries"));
    if (!entries) return entries.error();
    contents.table.TableText = std::move(entries).value();
    if (root.contains(QStringLiteral("tableId"))) {
        const std::string id = root.value(QStringLiteral("tableId")).toString().toStdString();
        if (!IsTableId(id)) return Refused(Kind::BadField, QStringLiteral("tableId"));
        contents.table.TableId = id;
    }
    if (root.contains(QStringLiteral("tables"))) {
        const QJsonValue tables = root.value(QStringLiteral("tables"));
        if (!tables.isArray()) return Refused(Kind::BadField, QStringLiteral("tables"));
        int index = 0;
        for (const QJsonValue& value : tables.toArray()) {
            const QString where = QStringLiteral("tables[%1]").arg(index++);
            const QJsonObject object = value.toObject();
            const std::string id = object.value(QStringLiteral("id")).toString().toStdString();
            if (!value.isObject() || !IsTableId(id) || id == contents.table.TableId ||
                std::any_of(contents.table.FurtherTables.begin(), contents.table.FurtherTables.end(),
                            [&id](const NamedTable& table) { return table.id == id; })) {
                return Refused(Kind::BadField, where + QStringLiteral(".id"));
            }
            auto read = ReadEntries(object.value(QStringLiteral("entries")),
                                    where + QStringLiteral(".entries"));
            if (!read) return read.error();
            contents.table.FurtherTables.push_back({id, std::move(read).value()});
        }
    }
    if (root.contains(QStringLiteral("codeOrder"))) {
        const auto named =
            CodeOrderNamed(root.value(QStringLiteral("codeOrder")).toString().toStdString());
        if (!named) return Refused(Kind::BadField, QStringLiteral("codeOrder"));
        contents.codeOrder = *named;
    }

    const QJsonValue order = root.value(QStringLiteral("order"));
    if (!order.isArray() || order.toArray().size() > kMaxOrderLines) {
        return Refused(Kind::BadField, QStringLiteral("order"));
    }
    int index = 0;
    for (const QJsonValue& value : order.toArray()) {
        const QString where = QStringLiteral("order[%1]").arg(index++);
        const QJsonObject line = value.toObject();
        if (!value.isObject() || !line.value(QStringLiteral("text")).isString()) {
            return Refused(Kind::BadField, where + QStringLiteral(".text"));
        }
        const std::string text = line.value(QStringLiteral("text")).toString().toStdString();
        std::optional<TableCode> start;
        if (line.contains(QStringLiteral("start"))) {
            start = TableCodeField(line, QStringLiteral("start"));
            if (!start) return Refused(Kind::BadField, where + QStringLiteral(".start"));
        }
        // A set the project keeps lays even where the user has no set of its name: the caller
        // fits the kept sets into the catalogue (see ReadKeptSets).
        const bool entry = line.value(QStringLiteral("entry")).toBool(false);
        const bool known = contents.order.FindSet(text) != nullptr ||
                           std::any_of(kept.value().begin(), kept.value().end(),
                                       [&](const UserSet& set) { return set.name == text; });
        TableOrderLine read;
        read.text = text;
        read.laysSet = !entry && known;
        read.SetStartCode(start);
        (void)contents.order.Insert(contents.order.LineCount(), std::move(read));
    }

    if (root.contains(QStringLiteral("lastRun"))) {
        const QJsonObject lastRun = root.value(QStringLiteral("lastRun")).toObject();
        const auto start = CodeField(lastRun, QStringLiteral("start"));
        const auto last = CodeField(lastRun, QStringLiteral("last"));
        if (!start || !last) return Refused(Kind::BadField, QStringLiteral("lastRun"));
        contents.table.CurrentCode = *start;
        contents.table.LastCode = *last;
    }
    if (root.contains(QStringLiteral("gameFile"))) {
        const QJsonValue game = root.value(QStringLiteral("gameFile"));
        if (!game.isString()) return Refused(Kind::BadField, QStringLiteral("gameFile"));
        const QDir folder = QFileInfo(projectPath).absoluteDir();
        contents.gameFilePath =
            QDir::cleanPath(folder.absoluteFilePath(game.toString())).toStdString();
    }
    if (root.contains(QStringLiteral("tableFile"))) {
        const QJsonObject table = root.value(QStringLiteral("tableFile")).toObject();
        contents.tableFileName = table.value(QStringLiteral("name")).toString().toStdString();
        contents.tableFormat = table.value(QStringLiteral("format")).toString().toStdString();
    }
    const QJsonObject features = root.value(QStringLiteral("features")).toObject();
    for (auto feature = features.begin(); feature != features.end(); ++feature) {
        if (!feature.value().isObject()) {
            return Refused(Kind::BadField, QStringLiteral("features.") + feature.key());
        }
        contents.featureSettings[feature.key().toStdString()] =
            QJsonDocument(feature.value().toObject()).toJson(QJsonDocument::Compact).toStdString();
    }
    return contents;
}

Result<std::vector<UserSet>, ProjectError> ReadKeptSets(const QByteArray& file) {
    const QJsonDocument json = QJsonDocument::fromJson(file);
    if (!json.isObject()) return ProjectError{ProjectError::Kind::NotProject, {}};
    return KeptSets(json.object());
}

}  // namespace glyphwright
