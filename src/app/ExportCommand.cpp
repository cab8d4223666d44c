#include "app/ExportCommand.h"

#include "app/StoredSettings.h"
#include "paper/HeightField.h"
#include "paper/PaperDocument.h"
#include "paper/TileShading.h"
#include "studio/PaperFile.h"

#include <QFileInfo>
#include <QSaveFile>

#include <bit>
#include <cmath>
#include <cstring>
#include <nlohmann/json.hpp>

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

// Thrown inside this file only, to turn any bad input into one line on stderr.
struct ExportError {
    QString message;
};

QString takeValue(const QStringList& args, qsizetype& i) {
    if (i + 1 >= args.size()) {
        throw ExportError{QStringLiteral("%1 needs a value").arg(args[i])};
    }
    return args[++i];
}

ExportRequest parse(const QStringList& args) {
    ExportRequest request;
    if (args.size() < 2) {
        throw ExportError{QStringLiteral("usage: tessel export tile|field|preview PAPER -o OUT")};
    }
    request.what = args[0];
    request.paper = args[1];
    if (request.what != u"tile" && request.what != u"field" && request.what != u"preview") {
        throw ExportError{
            QStringLiteral("cannot export '%1': choose tile, field or preview").arg(request.what)};
    }
    for (qsizetype i = 2; i < args.size(); ++i) {
        const QString& flag = args[i];
        bool ok = true;
        if (flag == u"-o" || flag == u"--output") {
            request.output = takeValue(args, i);
        } else if (flag == u"--gsm" && request.what == u"tile") {
            request.gsm = takeValue(args, i).toDouble(&ok);
            ok = ok && std::isfinite(request.gsm);
        } else if (flag == u"--night" && request.what == u"tile") {
            request.night = true;
        } else if (flag == u"--size" && request.what == u"field") {
            request.size = takeValue(args, i).toInt(&ok);
            ok = ok && request.size > 0 && request.size % 128 == 0 && request.size <= largestField;
        } else {
            throw ExportError{
                QStringLiteral("unknown option '%1' for export %2").arg(flag, request.what)};
        }
        if (!ok) {
            throw ExportError{flag == u"--size"
                                  ? QStringLiteral("--size must be a multiple of 128 up to 4096")
                                  : QStringLiteral("--gsm must be a number")};
        }
    }
    if (request.output.isEmpty()) {
        throw ExportError{QStringLiteral("missing -o OUT")};
    }
    return request;
}

// A paper id, built in or from the stored settings, or the path of a paper document.
Recipe resolvePaper(const QString& paper) {
    if (QFileInfo(paper).isFile()) {
        const auto document = readPaperDocument(paper);
        if (const auto* error = std::get_if<PaperFileError>(&document)) {
            throw ExportError{describe(*error, paper)};
        }
        return std::get<CustomPaper>(document).recipe;
    }
    const QList<CustomPaper> custom = storedSettings().customPapers;
    const Paper found = Paper::find(paper, custom);
    if (found.id != paper) {
        throw ExportError{QStringLiteral("no paper or paper document named '%1'").arg(paper)};
    }
    return found.recipe;
}

void writeBytes(const QString& path, const char* data, qsizetype size) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data, size) != size || !file.commit()) {
        throw ExportError{QStringLiteral("cannot write %1: %2").arg(path, file.errorString())};
    }
}

void writeImage(const QString& path, const QImage& image) {
    if (image.isNull() || !image.save(path, "PNG")) {
        throw ExportError{QStringLiteral("cannot write %1").arg(path)};
    }
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

void exportTile(const ExportRequest& request, const Recipe& recipe) {
    const QImage tile = shadeTile(heightField(recipe, tileSize), tileSize, request.night,
                                  request.gsm, recipe.warmth);
    if (request.output.endsWith(u".rgba")) {
        writeBytes(request.output, reinterpret_cast<const char*>(tile.constBits()),
                   tile.sizeInBytes());
    } else if (request.output.endsWith(u".png")) {
        writeImage(request.output, tile.convertToFormat(QImage::Format_RGBA8888));
    } else {
        throw ExportError{QStringLiteral("a tile is written as .png or .rgba")};
    }
}

void exportField(const ExportRequest& request, const Recipe& recipe) {
    const std::vector<float> field = heightField(recipe, request.size);
    if (request.output.endsWith(u".f32")) {
        static_assert(std::endian::native == std::endian::little, "raw floats are little-endian");
        writeBytes(request.output, reinterpret_cast<const char*>(field.data()),
                   static_cast<qsizetype>(field.size() * sizeof(float)));
    } else if (request.output.endsWith(u".png")) {
        writeImage(request.output, fieldAsGrey16(field, request.size));
    } else {
        throw ExportError{QStringLiteral("a height field is written as .f32 or .png")};
    }
}

void exportPreview(const ExportRequest& request, const Recipe& recipe) {
    if (!request.output.endsWith(u".png")) {
        throw ExportError{QStringLiteral("a preview is written as .png")};
    }
    writeImage(request.output, previewImage(heightField(recipe, previewSize), previewSize));
}

} // namespace

int runExport(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    try {
        const ExportRequest request = parse(arguments);
        const Recipe recipe = resolvePaper(request.paper);
        if (request.what == u"tile") {
            exportTile(request, recipe);
        } else if (request.what == u"field") {
            exportField(request, recipe);
        } else {
            exportPreview(request, recipe);
        }
        out << request.output << Qt::endl;
        return 0;
    } catch (const ExportError& error) {
        err << "tessel: " << error.message << Qt::endl;
        return 1;
    }
}

} // namespace tessel
