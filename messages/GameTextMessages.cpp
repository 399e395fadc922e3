#include "GameTextMessages.h"

#include "MessageText.h"

namespace glyphwright {

QStringList GameTextMessages::GameTextHeaders() {
    return {tr("Offset"), tr("Bytes"), tr("Text")};
}

QString GameTextMessages::TableLaid(int start, int last) {
    if (last < start) {
        return tr("Read through the table with the Table Order laid from start code %1, as MAKE "
                  "TABLE would lay it. The file would hold no code; every code shows as <XX>.")
            .arg(Hex(start));
    }
    return tr("Read through the table with the Table Order laid from start code %1, as MAKE "
              "TABLE would lay it. The file holds the codes %1 to %2; others show as <XX>.")
        .arg(Hex(start), Hex(last));
}

QString GameTextMessages::WholeTable(const QString& written) {
    return tr("Read through the table with the Table Order laid over it, as MAKE TABLE would lay "
              "it. %1")
        .arg(written);
}

QString GameTextMessages::TableNotLaid(const QString& why) {
    return tr("Read through the table as it stands, without the Table Order: %1").arg(why);
}

QString GameTextMessages::OffsetTooLarge(const QString& typed) {
    return tr("The offset \"%1\" is larger than any file. Type an offset such as 1A2B0.")
        .arg(typed);
}

QString GameTextMessages::FileNameNotUtf8(const QString& path) {
    return tr("The name \"%1\" holds bytes that are not UTF-8 (shown as \uFFFD). Glyphwright would "
              "read or write another file under it; rename the file, or choose another name.")
        .arg(path);
}

QString GameTextMessages::BadOffset(const QString& typed) {
    return tr("The offset \"%1\" is not a hexadecimal number. Type an offset such as 1A2B0.")
        .arg(typed);
}

QString GameTextMessages::OffsetPastEnd(quint64 offset, quint64 size) {
    return tr("The offset %1 is past the end of the game file, whose last offset is %2.")
        .arg(QString::number(offset, 16).toUpper(), QString::number(size - 1, 16).toUpper());
}

QString GameTextMessages::GameTextGlyphs() {
    return tr("&Glyphs");
}

QString GameTextMessages::GameTextGlyphsTip() {
    return tr(
        "Draws the bytes as the game does, glyph by glyph, above the table's reading. The "
        "glyphs come from the font anchored in the Font window.");
}

}  // namespace glyphwright
