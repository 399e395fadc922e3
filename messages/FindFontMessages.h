#pragma once

#include <QCoreApplication>
#include <QString>

namespace glyphwright {

// What Find Font says, on the command line and in its window.
class FindFontMessages final {
    Q_DECLARE_TR_FUNCTIONS(FindFontMessages)

public:
    FindFontMessages() = delete;

    [[nodiscard]] static QString Help(int mostLimit);
    [[nodiscard]] static QString BadLimit(const QString& limit, int most);
    [[nodiscard]] static QString UnknownCompression(const QString& name);
    [[nodiscard]] static QString FileTooLarge(const QString& path, unsigned long long size,
                                              unsigned long long most);
    [[nodiscard]] static QString StreamUnreadable(const QString& offset, const QString& compression,
                                                  const QString& why);
    [[nodiscard]] static QString NothingFound();
    // Why a stream could not be unpacked.
    [[nodiscard]] static QString NoStreamHeader();
    [[nodiscard]] static QString EmptyStream();
    [[nodiscard]] static QString TruncatedStream();
    [[nodiscard]] static QString BadReference();
    [[nodiscard]] static QString Overshoots();
    [[nodiscard]] static QString BadTree();
};

}  // namespace glyphwright
