#include "TableEntryMessages.h"

#include <QStringList>
#include <algorithm>

#include "core/table/TableCode.h"

namespace glyphwright {

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
                  "at code %1 (\"%2\"). Save it as UTF-8, or change the entry. No file was "
                  "written.")
            .arg(CodeList(codes), first);
    }
    return tr("A classic table file holds EUC-JP text, and EUC-JP has no code for the entries "
              "at codes %1 (the first is \"%2\"). Save it as UTF-8, or change those entries. "
              "No file was written.")
        .arg(CodeList(codes), first);
}

}  // namespace glyphwright
