#include "FindFontMessages.h"

#include "core/compression/Compression.h"

namespace glyphwright {

QString FindFontMessages::Help(int mostLimit) {
    return tr("Usage: glyphwright find-font --game FILE [--tiles LIST] [--glyph LIST]\n"
              "                             [--limit N] [--streams]\n"
              "\n"
              "Looks through the whole game file for its font: raw at every offset, and inside\n"
              "every stream packed with the GBA/DS BIOS schemes (LZ77 10h, LZ 11h, Huffman\n"
              "24h/28h, RLE 30h), for runs of cells that look like glyphs, in every tile format\n"
              "and glyph size asked for.\n"
              "\n"
              "Prints one candidate a line, best first: a score from 0 to 1 (how glyph-like the\n"
              "cells are: little ink in few colours, strokes that hold together, a margin the\n"
              "glyphs share), then the options 'glyphwright glyphs' and 'glyphwright font-table'\n"
              "take to show that font, ready to paste:\n"
              "  0.93 --offset 1A2F0 --tiles nes2bpp --glyph 8x8 --count 256\n"
              "  0.88 --compression lz10 --offset 9A000 --tiles 1bpp --glyph 8x8 --count 240\n"
              "With --compression the offset is the packed stream's start, and the glyphs are\n"
              "read from the start of what it unpacks to. Glyphs of several tiles taken down\n"
              "then across add --tile-order down.\n"
              "\n"
              "Options:\n"
              "  --game FILE     the game file to read\n"
              "  --tiles LIST    the tile formats to look for, comma-separated (default: all:\n"
              "                  1bpp,nes2bpp,gb2bpp,snes4bpp,gba4bpp,8bpp,bitmap,bitmap-packed)\n"
              "  --glyph LIST    the glyph sizes to look for, comma-separated (default\n"
              "                  8x8,8x16,16x16,12x12)\n"
              "  --limit N       print at most N candidates, 1 to %1 (default 10)\n"
              "  --streams       instead, list every packed stream found, one a line, tab-\n"
              "                  separated: its compression (lz10, lz11, huff, rle), its offset\n"
              "                  in hexadecimal, its packed size and its unpacked size in bytes:\n"
              "                    lz10\t9A000\t1834\t7680\n"
              "  -h, --help      show this help\n"
              "  -v, --version   show the version\n"
              "\n"
              "A stream counts where it unpacks to exactly the size its header states (at most\n"
              "16 MiB), reading nothing past the file and copying nothing from before its start.\n"
              "The file is read in pieces: the look holds at most about 34 MiB whatever its size.\n"
              "\n"
              "Exit status: 0 candidates (or streams) printed, 1 none found or the game file\n"
              "could not be read, 2 bad usage.\n")
        .arg(mostLimit);
}

QString FindFontMessages::BadLimit(const QString& limit, int most) {
    return tr("'%1' is not a number of candidates: give 1 to %2.").arg(limit).arg(most);
}

QString FindFontMessages::UnknownCompression(const QString& name) {
    return tr("'%1' is not a compression: choose lz10, lz11, huff, rle or none.").arg(name);
}

QString FindFontMessages::FileTooLarge(const QString& path, unsigned long long size,
                                       unsigned long long most) {
    return tr("%1 holds %2 MiB; Find Font reads files of up to %3 MiB.")
        .arg(path)
        .arg(size >> 20)
        .arg(most >> 20);
}

QString FindFontMessages::StreamUnreadable(const QString& offset, const QString& compression,
                                           const QString& why) {
    return tr("no %1 stream at %2: %3.").arg(compression, offset, why);
}

QString FindFontMessages::NothingFound() {
    return tr("nothing in the file looks like a font.");
}

QString FindFontMessages::NoStreamHeader() {
    return tr("the bytes there do not start with that compression's header");
}
QString FindFontMessages::EmptyStream() {
    return tr("its header states a size of 0");
}
QString FindFontMessages::TruncatedStream() {
    return tr("it runs past the end of the file");
}
QString FindFontMessages::BadReference() {
    return tr("it copies from before its own start");
}
QString FindFontMessages::Overshoots() {
    return tr("it unpacks to more than the size its header states");
}
QString FindFontMessages::BadTree() {
    return tr("its Huffman tree points outside itself");
}

QString FindFontMessages::Glyphs(unsigned long long count) {
    return count == 1 ? tr("1 glyph") : tr("%1 glyphs").arg(count);
}

QString FindFontMessages::PackedStreams(int count) {
    return count == 1 ? tr("1 packed stream") : tr("%1 packed streams").arg(count);
}

QString FindFontMessages::StreamProblemText(StreamProblem problem) {
    switch (problem) {
        case StreamProblem::NoHeader:
            return NoStreamHeader();
        case StreamProblem::EmptyStream:
            return EmptyStream();
        case StreamProblem::Truncated:
            return TruncatedStream();
        case StreamProblem::BadReference:
            return BadReference();
        case StreamProblem::Overshoots:
            return Overshoots();
        case StreamProblem::BadTree:
            return BadTree();
    }
    return {};
}

QString FindFontMessages::MenuItem() {
    return tr("Find &Font...");
}

QString FindFontMessages::WindowTitle() {
    return tr("Find Font");
}

QString FindFontMessages::FindButton() {
    return tr("&Find");
}

QString FindFontMessages::StopButton() {
    return tr("&Stop");
}

QString FindFontMessages::OpenButton() {
    return tr("&Open in Font Window");
}

QString FindFontMessages::CandidatesTab(int count) {
    return tr("&Candidates (%1)").arg(count);
}

QString FindFontMessages::StreamsTab(int count) {
    return tr("Packed s&treams (%1)").arg(count);
}

QString FindFontMessages::ScoreColumn() {
    return tr("Score");
}

QString FindFontMessages::GlyphsColumn() {
    return tr("First glyphs");
}

QString FindFontMessages::WhereColumn() {
    return tr("Where and how");
}

QString FindFontMessages::CompressionColumn() {
    return tr("Compression");
}

QString FindFontMessages::OffsetColumn() {
    return tr("Offset");
}

QString FindFontMessages::PackedColumn() {
    return tr("Packed");
}

QString FindFontMessages::UnpackedColumn() {
    return tr("Unpacked");
}

QString FindFontMessages::CandidateRaw(const QString& offset, const QString& format,
                                       unsigned long long count) {
    return tr("At %1: %2, %3").arg(offset, format, Glyphs(count));
}

QString FindFontMessages::CandidatePacked(const QString& compression, const QString& stream,
                                          const QString& format, unsigned long long count) {
    return tr("In the %1 stream at %2: %3, %4").arg(compression, stream, format, Glyphs(count));
}

QString FindFontMessages::Searching(int percent) {
    return tr("Looking through the file... %1 %").arg(percent);
}

QString FindFontMessages::Stopped() {
    return tr("Stopped.");
}

QString FindFontMessages::Found(int candidates, int streams) {
    return tr("%1, best first; %2. Open one to see it in the Font window.")
        .arg(candidates == 1 ? tr("1 candidate") : tr("%1 candidates").arg(candidates),
             PackedStreams(streams));
}

QString FindFontMessages::NothingFoundInWindow(int streams) {
    return tr("Nothing in the file looks like a font; %1 found.").arg(PackedStreams(streams));
}

QString FindFontMessages::OpenUndoText(const QString& offset) {
    return tr("Open Font at %1").arg(offset);
}

}  // namespace glyphwright
