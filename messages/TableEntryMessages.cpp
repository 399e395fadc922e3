#include "TableEntryMessages.h"

#include <QStringList>
#include <algorithm>

#include "MessageText.h"
#include "core/table/TableCode.h"

namespace glyphwright {

namespace {

bool IsText(std::string_view bytes) {
    return QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())).isValidUtf8();
}

QString HexOf(std::string_view bytes) {
    return QString::fromLatin1(
               QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())).toHex(' '))
        .toUpper();
}

}  // namespace

QString TableEntryMessages::Quoted(std::string_view text) {
    if (IsText(text)) return QLatin1Char('"') + Text(text) + QLatin1Char('"');
    return tr("the bytes %1").arg(HexOf(text));
}

QString TableEntryMessages::Shown(std::string_view text) {
    if (IsText(text)) return Text(text);
    return tr("the bytes %1").arg(HexOf(text));
}

QString TableEntryMessages::CodeList(const std::vector<TableCode>& codes) {
    constexpr std::size_t kNamed = 8;
    QStringList named;
    for (std::size_t i = 0; i < std::min(codes.size(), kNamed); ++i) {
        named << QString::fromStdString(codes[i].Hex());
    }
    if (codes.size() > kNamed) named << tr("and %1 more").arg(codes.size() - kNamed);
    return named.join(QStringLiteral(", "));
}

QString TableEntryMessages::NotEucJp(const std::vector<TableCode>& codes, const QString& first) {
    if (codes.size() == 1) {
        return tr("A classic table file holds EUC-JP text, and EUC-JP has no code for the entry "
                  "at code %1 (%2). Save it as UTF-8, or change the entry.")
            .arg(CodeList(codes), first);
    }
    return tr("A classic table file holds EUC-JP text, and EUC-JP has no code for the entries "
              "at codes %1 (the first is %2). Save it as UTF-8, or change those entries.")
        .arg(CodeList(codes), first);
}

QString TableEntryMessages::NotClassic(const std::vector<TableCode>& codes,
                                      const std::vector<std::string>& tables) {
    QStringList what;
    if (!codes.empty()) {
        what << tr("linked entries or table switches at codes %1").arg(CodeList(codes));
    }
    if (!tables.empty()) {
        QStringList ids;
        for (const std::string& id : tables) ids << QStringLiteral("@") + QString::fromStdString(id);
        what << tr("further tables (%1)").arg(ids.join(QStringLiteral(", ")));
    }
    return tr("A classic table file holds single characters, end codes and line breaks only, and "
              "this table has %1. Save it as UTF-8, Shift-JIS or abcde.")
        .arg(what.join(tr(" and ")));
}

QString TableEntryMessages::UnlabelledLineBreaks(const std::vector<TableCode>& codes) {
    return tr("abcde drops a bare line break when it inserts a script, so the line breaks at "
              "codes %1 could never come back. Give each a visible label (such as [line]) in "
              "the Control Code window.")
        .arg(CodeList(codes));
}

QString TableEntryMessages::UnknownTable(const QString& code, const QString& id) {
    return tr("The table switch at code %1 names the table \"%2\", which the table file does "
              "not hold. Import a table of that id, or change the switch.")
        .arg(code, id);
}

}  // namespace glyphwright
