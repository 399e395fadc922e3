#include "FontSettings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <algorithm>

#include "core/table/Document.h"

namespace glyphwright {

namespace {

// Offsets are hex text: exact for any file, and what the window shows.
QString Hex(std::uint64_t value) {
    return QString::number(value, 16).toUpper();
}

QString Name(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

std::optional<std::uint64_t> ReadHex(const QJsonValue& value) {
    bool ok = false;
    const qulonglong read = value.toString().toULongLong(&ok, 16);
    return ok ? std::optional<std::uint64_t>(read) : std::nullopt;
}

}  // namespace

FontSettings FontSettings::Of(const Document& document) {
    FontSettings settings;
    settings.order16 = document.TwoByteOrder();
    const auto& all = document.Contents().featureSettings;
    const auto held = all.find(kFeature);
    if (held == all.end()) return settings;
    const QJsonObject json =
        QJsonDocument::fromJson(QByteArray::fromStdString(held->second)).object();

    const auto tiles =
        ParseTileFormat(json.value(QStringLiteral("format")).toString().toStdString());
    const auto order =
        ParseTileOrder(json.value(QStringLiteral("tileOrder")).toString().toStdString());
    const int width = json.value(QStringLiteral("width")).toInt(GlyphFormat::kTileSide);
    const int height = json.value(QStringLiteral("height")).toInt(GlyphFormat::kTileSide);
    if (tiles) {
        if (const auto format =
                GlyphFormat::Make(*tiles, width, height, order.value_or(TileOrder::Across))) {
            settings.format = format.value();
        }
    }
    settings.offset = ReadHex(json.value(QStringLiteral("offset"))).value_or(0);
    const auto compression =
        ParseCompression(json.value(QStringLiteral("compression")).toString().toStdString());
    const auto stream = ReadHex(json.value(QStringLiteral("stream")));
    if (compression && stream) {
        settings.compression = *compression;
        settings.stream = *stream;
    }
    settings.zoom = json.value(QStringLiteral("zoom")).toInt(settings.zoom);
    const QJsonObject anchor = json.value(QStringLiteral("anchor")).toObject();
    const auto anchorOffset = ReadHex(anchor.value(QStringLiteral("offset")));
    const int code = anchor.value(QStringLiteral("code")).toInt(-1);
    // A two-byte anchor is marked so: its code is the stored bytes, first byte high.
    const bool wide = anchor.value(QStringLiteral("twoByte")).toBool(false);
    if (anchorOffset && code >= 0 && code < (wide ? 0x10000 : kCodeCount)) {
        settings.anchor =
            FontAnchor{*anchorOffset, wide ? TableCode::TwoByte(static_cast<std::uint16_t>(code))
                                           : TableCode::OneByte(static_cast<ByteCode>(code))};
    }
    const QJsonObject reading = json.value(QStringLiteral("reading")).toObject();
    if (!reading.isEmpty()) {
        Reading& read = settings.reading;
        read.on = reading.value(QStringLiteral("on")).toBool(read.on);
        if (reading.contains(QStringLiteral("repertoires"))) {
            read.repertoires.clear();
            for (const QJsonValue name : reading.value(QStringLiteral("repertoires")).toArray()) {
                for (const Repertoire known : kRepertoires) {
                    if (name.toString() == Name(RepertoireName(known))) {
                        read.repertoires.push_back(known);
                    }
                }
            }
        }
        read.family = reading.value(QStringLiteral("font")).toString().toStdString();
        read.acceptAbove = std::clamp(
            reading.value(QStringLiteral("acceptAbove")).toInt(read.acceptAbove), 0, 100);
        read.textOffset = ReadHex(reading.value(QStringLiteral("textOffset")));
    }
    return settings;
}

std::string FontSettings::Json() const {
    QJsonObject json;
    json.insert(QStringLiteral("format"), Name(TileFormatName(format.Tiles())));
    json.insert(QStringLiteral("width"), format.Width());
    json.insert(QStringLiteral("height"), format.Height());
    json.insert(QStringLiteral("tileOrder"), Name(TileOrderName(format.Order())));
    json.insert(QStringLiteral("offset"), Hex(offset));
    // Kept only for a packed font, so a project of a raw one reads as before.
    if (compression != Compression::None) {
        json.insert(QStringLiteral("compression"), Name(CompressionName(compression)));
        json.insert(QStringLiteral("stream"), Hex(stream));
    }
    json.insert(QStringLiteral("zoom"), zoom);
    if (anchor) {
        QJsonObject anchored{{QStringLiteral("offset"), Hex(anchor->glyphOffset)},
                             {QStringLiteral("code"), anchor->code.Stored()}};
        if (anchor->code.IsTwoByte()) anchored.insert(QStringLiteral("twoByte"), true);
        json.insert(QStringLiteral("anchor"), anchored);
    }
    // Kept only once the user changed it, so a project that never read a font says nothing of it.
    if (reading != Reading{}) {
        QJsonArray repertoires;
        for (const Repertoire repertoire : reading.repertoires) {
            repertoires.append(Name(RepertoireName(repertoire)));
        }
        QJsonObject read{{QStringLiteral("on"), reading.on},
                         {QStringLiteral("repertoires"), repertoires},
                         {QStringLiteral("acceptAbove"), reading.acceptAbove}};
        if (!reading.family.empty()) {
            read.insert(QStringLiteral("font"), QString::fromStdString(reading.family));
        }
        if (reading.textOffset) read.insert(QStringLiteral("textOffset"), Hex(*reading.textOffset));
        json.insert(QStringLiteral("reading"), read);
    }
    return QJsonDocument(json).toJson(QJsonDocument::Compact).toStdString();
}

void FontSettings::Keep(Document& document) const {
    std::string json = Json();
    const auto& all = document.Contents().featureSettings;
    const auto held = all.find(kFeature);
    if (held != all.end() ? held->second == json : json == FontSettings{}.Json()) return;
    document.SetFeatureSettings(kFeature, std::move(json));
}

std::optional<TableCode> FontSettings::CodeAt(std::uint64_t glyphOffset) const {
    if (!anchor) return std::nullopt;
    return CodeOfGlyph(*anchor, format.BytesPerGlyph(), glyphOffset, order16);
}

std::optional<std::uint64_t> FontSettings::OffsetOf(ByteCode code) const {
    if (!anchor) return std::nullopt;
    return AnchoredOffset(*anchor, format.BytesPerGlyph(), code);
}

}  // namespace glyphwright
