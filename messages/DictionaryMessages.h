#pragma once

#include <QCoreApplication>
#include <QString>

#include <cstdint>
#include <vector>

namespace glyphwright {

enum class DictionaryLayout;
struct FoundDictionary;
struct MissingCode;

// What Find Dictionary and the coverage of a script say, in the windows and on the command line.
class DictionaryMessages final {
    Q_DECLARE_TR_FUNCTIONS(DictionaryMessages)

public:
    DictionaryMessages() = delete;

    [[nodiscard]] static QString CoverageHelp();
    [[nodiscard]] static QString FindDictionaryHelp();

    // "pairs side by side", …
    [[nodiscard]] static QString LayoutName(DictionaryLayout layout);
    // Where the dictionary is, its layout, its codes and how sure the finding is: one line.
    [[nodiscard]] static QString Found(const FoundDictionary& found);
    // How much of the script is known text without the entries and with them.
    [[nodiscard]] static QString KnownText(const FoundDictionary& found);
    [[nodiscard]] static QString NothingMissing();
    [[nodiscard]] static QString NothingFound(const std::vector<std::uint8_t>& missing);
    [[nodiscard]] static QString NotEucJp(std::uint8_t code, const QString& text);
    [[nodiscard]] static QString BadRange(const QString& range);
    [[nodiscard]] static QString RangePastEnd(const QString& range, std::uint64_t size);
    [[nodiscard]] static QString Unreadable(const QString& path, const QString& reason);

    // The line under the game text: the codes of the page that the table holds nothing for.
    [[nodiscard]] static QString PageMissing(const std::vector<MissingCode>& missing);

    // The Find Dictionary window.
    [[nodiscard]] static QString WindowTitle();
    [[nodiscard]] static QString MenuItem();
    [[nodiscard]] static QString FindButton();
    [[nodiscard]] static QString StopButton();
    [[nodiscard]] static QString AcceptButton();
    [[nodiscard]] static QString Searching(int percent);
    [[nodiscard]] static QString Stopped();
    [[nodiscard]] static QString Accepted(int count);
    [[nodiscard]] static QString CodeColumn();
    [[nodiscard]] static QString TextColumn();
    [[nodiscard]] static QString UsesColumn();
    [[nodiscard]] static QString AcceptUndoText(int count);
};

}  // namespace glyphwright
