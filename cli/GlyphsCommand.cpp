// glyphwright glyphs: a sheet of a game's glyphs as a PNG picture, to find the font and its
// format before making a table.

#include <QBuffer>
#include <QByteArray>
#include <QImageWriter>

#include <algorithm>
#include <new>
#include <string_view>

#include "CommandLine.h"
#include "CommandLineMessages.h"
#include "CommandLineNotices.h"
#include "CommandOptions.h"
#include "CommandOutput.h"
#include "Commands.h"
#include "GlyphSheet.h"
#include "GlyphSource.h"
#include "FileMessages.h"
#include "GameFileMessages.h"
#include "OutputFiles.h"
#include "core/glyphs/DecodeGlyphs.h"

namespace glyphwright {

int RunGlyphs(const QStringList& arguments, std::FILE* out, std::FILE* err) {
    using Words = CommandLineMessages;
    const QString command = QStringLiteral("glyphs");
    std::vector<QStringList> names = GlyphOptionNames();
    names.push_back({QStringLiteral("zoom")});
    names.push_back({QStringLiteral("png")});
    CommandOptions options(names);
    if (const auto problem = options.Read(arguments)) return BadUsage(err, command, *problem);
    if (const QStringList others = options.Others(); !others.isEmpty()) {
        return BadUsage(err, command, Words::NoArgumentsTaken(command, others.front()));
    }
    if (const auto missing = MissingOption(options, {"--game game.bin", "--offset 3C000",
                                                     "--tiles 1bpp", "--glyph 8x8",
                                                     "--png font.png"})) {
        return BadUsage(err, command, *missing);
    }
    const auto source = ReadGlyphSource(options);
    if (!source) return BadUsage(err, command, source.error());
    const GlyphSource& glyphSource = source.value();
    const auto& format = glyphSource.format;
    int zoom = 1;
    if (const auto asked = options.Value(QStringLiteral("zoom"))) {
        const auto chosen = ReadSmallNumber(*asked, GlyphSheet::kMaxZoom);
        if (!chosen) return BadUsage(err, command, Words::BadZoom(*asked, GlyphSheet::kMaxZoom));
        zoom = *chosen;
    }
    const QString png = *options.Value(QStringLiteral("png"));

    const auto opened = OpenGlyphs(*options.Value(QStringLiteral("game")), glyphSource,
                                   glyphSource.count.value_or(256));
    if (!opened) return TableProblem(err, opened.error());
    const GlyphReader& reader = opened.value().first;
    const int count = opened.value().second;

    // The size is known before anything is drawn: a sheet too large is refused at once.
    const GlyphSheet::Size size = GlyphSheet::SizeFor(count, format, zoom);
    if (!GlyphSheet::Fits(size)) {
        return TableProblem(err, CommandLineNotices::PictureTooLarge(size.width, size.height,
                                                                     GlyphSheet::kMaxSide));
    }
    try {
        // A row at a time, so the glyphs in memory stay few however many the sheet holds.
        GlyphSheet sheet(count, format, zoom);
        if (sheet.IsNull()) return TableProblem(err, CommandLineNotices::PictureOutOfMemory());
        for (int first = 0; first < count; first += GlyphSheet::kGlyphsPerRow) {
            const auto glyphs = reader.Read(
                static_cast<std::uint64_t>(first),
                static_cast<std::size_t>(std::min(GlyphSheet::kGlyphsPerRow, count - first)));
            if (!glyphs) return TableProblem(err, glyphs.error());
            for (std::size_t i = 0; i < glyphs.value().size(); ++i) {
                sheet.Draw(first + static_cast<int>(i), glyphs.value()[i]);
            }
        }
        // Made in memory, then saved as a table is: a failed write leaves no cut picture.
        QByteArray picture;
        QBuffer buffer(&picture);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        if (!writer.write(sheet.Picture())) {
            return TableProblem(err, Words::PictureNotWritten(png, writer.errorString()));
        }
        if (const auto failed = WriteOutputFile(
                png, std::string_view(picture.constData(), static_cast<std::size_t>(picture.size())),
                out, [&](const FileError& error) {
                    return Words::PictureNotWritten(png, FileMessages::Reason(error));
                })) {
            return TableProblem(err, *failed);
        }
    } catch (const std::bad_alloc&) {
        return TableProblem(err, CommandLineNotices::PictureOutOfMemory());
    }
    return kExitSuccess;
}

}  // namespace glyphwright
