#pragma once

#include <QCoreApplication>
#include <QString>

namespace glyphwright {

enum class StreamProblem;

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
    [[nodiscard]] static QString StreamProblemText(StreamProblem problem);

    // The window, Tools > Find Font...
    [[nodiscard]] static QString MenuItem();
    [[nodiscard]] static QString WindowTitle();
    [[nodiscard]] static QString FindButton();
    [[nodiscard]] static QString StopButton();
    [[nodiscard]] static QString OpenButton();
    [[nodiscard]] static QString CandidatesTab(int count);
    [[nodiscard]] static QString StreamsTab(int count);
    [[nodiscard]] static QString ScoreColumn();
    [[nodiscard]] static QString GlyphsColumn();
    [[nodiscard]] static QString WhereColumn();
    [[nodiscard]] static QString CompressionColumn();
    [[nodiscard]] static QString OffsetColumn();
    [[nodiscard]] static QString PackedColumn();
    [[nodiscard]] static QString UnpackedColumn();
    // A candidate's place and format: raw at an offset, or in a stream.
    [[nodiscard]] static QString CandidateRaw(const QString& offset, const QString& format,
                                              unsigned long long count);
    [[nodiscard]] static QString CandidatePacked(const QString& compression, const QString& stream,
                                                 const QString& format, unsigned long long count);
    [[nodiscard]] static QString Searching(int percent);
    [[nodiscard]] static QString Stopped();
    [[nodiscard]] static QString Found(int candidates, int streams);
    [[nodiscard]] static QString NothingFoundInWindow(int streams);
    // After "Undo": the font opened in the Font window, where, and how it is stored.
    [[nodiscard]] static QString OpenUndoText(const QString& offset);

private:
    [[nodiscard]] static QString Glyphs(unsigned long long count);
    [[nodiscard]] static QString PackedStreams(int count);
};

}  // namespace glyphwright
