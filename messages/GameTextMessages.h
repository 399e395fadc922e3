#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace glyphwright {
// The game text: the bytes read through the table.
class GameTextMessages final {
    Q_DECLARE_TR_FUNCTIONS(GameTextMessages)

public:
    GameTextMessages() = delete;

    [[nodiscard]] static QStringList GameTextHeaders();
    // Laid from `start`, the file covering start..last; other codes show as <XX>.
    [[nodiscard]] static QString TableLaid(int start, int last);
    [[nodiscard]] static QString TableNotLaid(const QString& why);
    // The format chosen holds every code held, laid or not: `written` says so in the code map's
    // own words.
    [[nodiscard]] static QString WholeTable(const QString& written);
    [[nodiscard]] static QString BadOffset(const QString& typed);
    [[nodiscard]] static QString OffsetTooLarge(const QString& typed);
    // A file name whose bytes are not UTF-8, as the toolkit shows it.
    [[nodiscard]] static QString FileNameNotUtf8(const QString& path);  // hex, but too many digits
    [[nodiscard]] static QString OffsetPastEnd(quint64 offset, quint64 size);
    // The game text's choice to draw the bytes in the game's glyphs.
    [[nodiscard]] static QString GameTextGlyphs();
    [[nodiscard]] static QString GameTextGlyphsTip();
};

}  // namespace glyphwright
