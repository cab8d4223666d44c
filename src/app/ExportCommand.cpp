#include "app/ExportCommand.h"

#include "app/StoredSettings.h"
#include "paper/HeightField.h"
#include "paper/PaperDocument.h"
#include "paper/TileShading.h"
#include "platform/FileAccess.h"
#include "studio/PaperFile.h"

#include <QBuffer>
#include <QFileInfo>

#include <bit>
#include <cmath>
#include <cstring>
#include <nlohmann/json.hpp>
#include <variant>

namespace tessel {

namespace {

constexpr int tileSize = 1024;
constexpr int previewSize = 256;
constexpr int largestField = 4096;

struct ExportRequest {
    QString what;
    QString paper;
    QString output;
    double gsm = 120;
    bool night = false;
    int size = tileSize;
};

const QString form =
    QStringLiteral("tessel export tile|field|preview PAPER [--gsm G] [--night] [--size N] -o OUT");
constexpr int fieldSizeStep = 128;

// The request, or the exit status after saying what is wrong.
std::variant<ExportRequest, int> parse(const QStringList& arguments, const CommandIO& io) {
    QCommandLineParser parser;
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")}, QString(),
                                    QStringLiteral("OUT"));
    const QCommandLineOption gsm(QStringLiteral("gsm"), QString(), QStringLiteral("G"));
    const QCommandLineOption night(QStringLiteral("night"));
    const QCommandLineOption size(QStringLiteral("size"), QString(), QStringLiteral("N"));
    parser.addOptions({output, gsm, night, size});
    const auto positional = io.parse(parser, arguments.mid(1), form);
    if (!positional) {
        return commandMisused;
    }
    if (positional->size() != 2) {
        return io.usage(form);
    }
    ExportRequest request;
    request.what = positional->at(0);
    request.paper = positional->at(1);
    if (request.what != u"tile" && request.what != u"field" && request.what != u"preview") {
        return io.fail(
            QStringLiteral("cannot export '%1': choose tile, field or preview").arg(request.what));
    }
    const bool tile = request.what == u"tile";
    const bool field = request.what == u"field";
    for (const auto& [option, allowed] : {std::pair{&gsm, tile}, {&night, tile}, {&size, field}}) {
        if (parser.isSet(*option) && !allowed) {
            return io.fail(QStringLiteral("unknown option '--%1' for export %2")
                               .arg(option->names().first(), request.what));
        }
    }
    bool ok = true;
    if (parser.isSet(gsm)) {
        request.gsm = parser.value(gsm).toDouble(&ok);
        if (!ok || !std::isfinite(request.gsm)) {
            return io.fail(QStringLiteral("--gsm must be a number"));
        }
    }
    request.night = parser.isSet(night);
    if (parser.isSet(size)) {
        request.size = parser.value(size).toInt(&ok);
        if (!ok || request.size <= 0 || request.size % fieldSizeStep != 0 ||
            request.size > largestField) {
            return io.fail(QStringLiteral("--size must be a multiple of 128 up to 4096"));
        }
    }
    request.output = parser.value(output);
    if (request.output.isEmpty()) {
        return io.usage(form);
    }
    return request;
}

// A paper id, built in or from the stored settings, or the path of a paper document; or
// why it is neither.
std::variant<Recipe, QString> resolvePaper(const QString& paper) {
    if (QFileInfo(paper).isFile()) {
        const auto document = readPaperDocument(paper);
        if (const auto* error = std::get_if<PaperFileError>(&document)) {
            return describe(*error, paper);
        }
        return std::get<CustomPaper>(document).recipe;
    }
    const Paper found = Paper::find(paper, storedSettings().customPapers);
    if (found.id != paper) {
        return QStringLiteral("no paper or paper document named '%1'").arg(paper);
    }
    return found.recipe;
}

std::optional<QString> writeBytes(const QString& path, const char* data, qsizetype size) {
    const auto error = writeFileAtomically(path, QByteArray(data, size));
    return error ? std::optional(error->message) : std::nullopt;
}

std::optional<QString> writeImage(const QString& path, const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        return QStringLiteral("cannot encode the image for %1").arg(path);
    }
    return writeBytes(path, png.constData(), png.size());
}

QImage fieldAsGrey16(const std::vector<float>& field, int n) {
    QImage image(n, n, QImage::Format_Grayscale16);
    for (int y = 0; y < n; ++y) {
        auto* row = reinterpret_cast<quint16*>(image.scanLine(y));
        for (int x = 0; x < n; ++x) {
            const float v =
                std::clamp(0.16f * field[static_cast<std::size_t>(y * n + x)] + 0.5f, 0.0f, 1.0f);
            row[x] = static_cast<quint16>(v * 65535.0f);
        }
    }
    return image;
}

std::optional<QString> exportTile(const ExportRequest& request, const Recipe& recipe) {
    const QImage tile = shadeTile(heightField(recipe, tileSize), tileSize, request.night,
                                  request.gsm, recipe.warmth);
    if (request.output.endsWith(u".rgba")) {
        return writeBytes(request.output, reinterpret_cast<const char*>(tile.constBits()),
                          tile.sizeInBytes());
    }
    if (request.output.endsWith(u".png")) {
        return writeImage(request.output, tile.convertToFormat(QImage::Format_RGBA8888));
    }
    return QStringLiteral("a tile is written as .png or .rgba");
}

std::optional<QString> exportField(const ExportRequest& request, const Recipe& recipe) {
    const std::vector<float> field = heightField(recipe, request.size);
    if (request.output.endsWith(u".f32")) {
        static_assert(std::endian::native == std::endian::little, "raw floats are little-endian");
        return writeBytes(request.output, reinterpret_cast<const char*>(field.data()),
                          static_cast<qsizetype>(field.size() * sizeof(float)));
    }
    if (request.output.endsWith(u".png")) {
        return writeImage(request.output, fieldAsGrey16(field, request.size));
    }
    return QStringLiteral("a height field is written as .f32 or .png");
}

std::optional<QString> exportPreview(const ExportRequest& request, const Recipe& recipe) {
    if (!request.output.endsWith(u".png")) {
        return QStringLiteral("a preview is written as .png");
    }
    return writeImage(request.output, previewImage(heightField(recipe, previewSize), previewSize));
}

} // namespace

int runExportCommand(const QStringList& arguments, const CommandIO& io) {
    const auto parsed = parse(arguments, io);
    if (const auto* status = std::get_if<int>(&parsed)) {
        return *status;
    }
    const auto& request = std::get<ExportRequest>(parsed);
    const auto recipe = resolvePaper(request.paper);
    if (const auto* error = std::get_if<QString>(&recipe)) {
        return io.fail(*error);
    }
    const auto write = request.what == u"tile"    ? exportTile
                       : request.what == u"field" ? exportField
                                                  : exportPreview;
    if (const auto error = write(request, std::get<Recipe>(recipe))) {
        return io.fail(*error);
    }
    io.out << request.output << Qt::endl;
    return commandSucceeded;
}

} // namespace tessel
