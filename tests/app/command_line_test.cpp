#include "AppTest.h"
#include "paper/HeightField.h"
#include "paper/TileShading.h"
#include "studio/PaperFile.h"

#include <QRegularExpression>

namespace tessel {
namespace {

// Whether the text is the pattern, each '*' in it standing for any run of characters.
bool matches(const QString& text, const QString& pattern) {
    QStringList pieces = pattern.split(u'*');
    for (QString& piece : pieces) {
        piece = QRegularExpression::escape(piece);
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(pieces.join(u".*"_s)),
                              QRegularExpression::DotMatchesEverythingOption)
        .match(text)
        .hasMatch();
}

// The built tessel, its settings in the machine's folder, outside any desktop and session
// bus: none of these commands needs a display, and with no Tessel to answer, import changes the
// stored settings.
class CommandLine : public AppTest {
protected:
    ChildRun tessel(const QStringList& arguments) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            environment.remove(QString::fromLatin1(name));
        }
        environment.insert(u"TESSEL_CONFIG_DIR"_s, dir.path());
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s,
                           u"unix:path="_s + dir.filePath(u"no-bus"_s));
        return runChild(QStringLiteral(TESSEL_BINARY), arguments, environment);
    }
};

// One command line after another on the same settings folder, its exit status and, as a
// pattern, the line or lines it prints: on stdout when it succeeds, with nothing on stderr; a
// failure prints one line on stderr after "tessel: ", nothing on stdout, and writes nothing.
struct Row {
    std::vector<const char*> args;
    int code;
    const char* says = "";
    const char* warns = nullptr; // on success, what stderr still says
};

const Row rows[] = {
    // Started without a display, Tessel says so in one line instead of Qt's abort.
    {{}, 1, "no display*"},
    {{"--help"}, 0, "Usage: tessel [COMMAND]\n*"},
    {{"frobnicate"}, 2, "unknown command 'frobnicate'. Try 'tessel --help'."},
    {{"paper", "list", "x"}, 2, "usage: tessel paper list"},
    {{"settings", "show", "--file"}, 2, "*usage: tessel settings show*"},
    // Names and ids can split neither their line nor their fields.
    {{"paper", "list"},
     0,
     "kozo\tKozo\tLong mulberry fibres, soft and even\n*\nmine\tMine\tYour paper\n"
     "a\\tb\\nc\\e[2J\\\\\tTwo lines\tYour paper\n"},
    {{"settings", "show", "--file", "$DIR/doc.json"},
     0,
     R"({"enabled":false,"day":*"rulerHeight":46.0,*"onboarded":false})"
     "\n"},
    {{"settings", "show", "--file", "$DIR/garbage.json"},
     0,
     "{\"enabled\":true,*}\n",
     "$DIR/garbage.json is not a settings document, so Tessel would use defaults"},
    {{"settings", "show", "--file", "$DIR/none"}, 1, "Couldn't read $DIR/none*"},
    {{"settings", "show", "--file", "/dev/zero"}, 1, "*larger than*"},

    {{"settings", "set", "onboarded", "true"}, 0},
    {{"settings", "set", "day", R"({"paper": "laid", "gsm": 90})"}, 0},
    {{"settings", "set", "snoozedUntil", "812345678"}, 0},
    {{"settings", "set", "snoozedUntil", "null"}, 0},
    {{"settings", "show"},
     0,
     R"(*"day":{"paper":"laid","gsm":90.0}*"pauseOnBattery":false,"schedule":*"onboarded":true})"
     "\n"},
    {{"settings", "set", "day", R"({"paper":"kozo","gsm":1e308})"}, 1, "*from 60 to 300*"},
    {{"settings", "set", "day", R"({"paper":"nosuch","gsm":100})"}, 1, "*nosuch is not a paper*"},
    {{"settings", "set", "day", R"({"paper":"kozo"})"}, 1, R"(*with "paper" and "gsm"*)"},
    {{"settings", "set", "restEvery", R"("abc")"}, 1, "*restEvery must be a whole number*"},
    {{"settings", "set", "restEvery", "35791395"}, 1, "*restEvery must be from 20 to 60*"},
    {{"settings", "set", "art", R"({"enabled":true,"idleMinutes":2147483647,"collections":[]})"},
     1,
     "*from 1 to 30*"},
    {{"settings", "set", "art",
      R"({"enabled":true,"idleMinutes":5,"collections":[],"folder":"Pictures"})"},
     1,
     "*folder must be an absolute path*"},
    {{"settings", "set", "schedule", R"({"mode":"custom"})"}, 1, "*schedule must be*"},
    {{"settings", "set", "lamp", R"({"id":"torch","strength":0.5})"}, 1, "*torch is not a lamp*"},
    {{"settings", "set", "rulerHeight", "tall"}, 1, "*rulerHeight must be a number*"},
    {{"settings", "set", "colour", "1"}, 1, "*colour is not a setting*"},

    {{"import", "$DIR/kitchen.tessel"}, 0, "custom-*\n"},
    {{"paper", "list"}, 0, "*\ncustom-*\tKitchen\tYour paper\n"},
    {{"import", "$DIR/notes.json"}, 1, "$DIR/notes.json is not a Tessel paper"},
    {{"import", "$DIR/large.tessel"}, 1, "$DIR/large.tessel is larger than 1 MiB"},
    {{"export-paper", "custom-FFFFFFFF", "$DIR/x.tessel"}, 1, "No paper with the id *"},

    {{"sun", "--lat", "0", "--lon", "0", "--date", "2024-03-20"},
     0,
     "sunrise 2024-03-20T06:03:58Z\nsunset 2024-03-20T18:10:37Z\n"},
    {{"sun", "--lat", "78", "--lon", "15", "--date", "2024-06-21"}, 0, "none\n"},
    {{"sun", "--place", "Mumbai", "--date", "2024-03-20"},
     0,
     "place Mumbai, India 19.07*\nsunrise 2024-03-20T*\nsunset 2024-03-20T*\n"},
    {{"sun", "--place", "sao paulo, brazil"}, 0, "place São Paulo, Brazil *"},
    {{"sun", "--place", "Xyzzyville"}, 1, "Couldn't find that place. Try a nearby city."},
    {{"sun", "--place", "sao paulo, brasil"}, 1, "*"},
    {{"sun", "--lat", "10"}, 2, "*"},
    {{"sun", "--lat", "95", "--lon", "0"}, 1, "*"},
    {{"sun", "--lat", "1", "--lon", "1", "--date", "2024-13-01"}, 1, "*"},
    {{"sun", "--place", "Oslo", "--lat", "1"}, 2, "*"},

    {{"export", "field", "kozo", "--size", "100", "-o", "$DIR/x.f32"}, 1, "*"},
    {{"export", "field", "kozo", "--size", "4224", "-o", "$DIR/x.f32"}, 1, "*"},
    {{"export", "tile", "kozo", "--shiny", "-o", "$DIR/x.png"}, 2, "*"},
    {{"export", "tile", "kozo"}, 2, "*"},
    {{"export", "tile", "vellum", "-o", "$DIR/x.png"}, 1, "*"},
    {{"export", "tile", "$DIR/bad.tessel", "-o", "$DIR/x.png"}, 1, "*"},
    {{"export", "tile", "$DIR/large.tessel", "-o", "$DIR/x.png"}, 1, "*"},
    {{"export", "tile", "kozo", "-o", "$DIR/x.jpg"}, 1, "*"},
    {{"export", "tile", "kozo", "--gsm", "heavy", "-o", "$DIR/x.png"}, 1, "*"},
    {{"export", "poster", "kozo", "-o", "$DIR/x.png"}, 1, "*"},
};

TEST_F(CommandLine, AnswersEachCommandInOneLineAndWritesNothingWhenItFails) {
    Settings stored;
    stored.customPapers = {{u"mine"_s, u"Mine"_s, {}},
                           {u"a\tb\nc\x1b[2J\\"_s, u"Two\nlines"_s, {}}};
    storeSettings(stored);
    write(u"doc.json"_s, R"({"enabled": false, "rulerHeight": "tall", "unknown": 1})");
    write(u"garbage.json"_s, "not json at all");
    write(u"kitchen.tessel"_s, encodePaperDocument(kitchen));
    write(u"notes.json"_s, R"({"id": 1})");
    write(u"large.tessel"_s, QByteArray(maxPaperDocumentBytes + 1, ' '));
    write(u"bad.tessel"_s, R"({"id": "x", "name": "X", "recipe": {"cloud": 1}})");
    const auto expand = [this](const char* text) {
        return QString::fromUtf8(text).replace(u"$DIR"_s, dir.path());
    };

    for (const Row& row : rows) {
        QStringList arguments;
        for (const char* argument : row.args) {
            arguments << expand(argument);
        }
        SCOPED_TRACE(arguments.join(u' '));
        const QByteArray before = read(u"defaults.json"_s);
        const ChildRun outcome = tessel(arguments);
        EXPECT_EQ(outcome.code, row.code);
        const auto saysOneLine = [&](const char* says) {
            EXPECT_TRUE(matches(outcome.err, u"tessel: "_s + expand(says) + u'\n')) << outcome.err;
            EXPECT_EQ(outcome.err.count(u'\n'), 1) << outcome.err;
        };
        if (row.code == 0) {
            EXPECT_TRUE(matches(outcome.out, expand(row.says))) << outcome.out;
            if (row.warns) {
                saysOneLine(row.warns);
            } else {
                EXPECT_EQ(outcome.err, QString());
            }
        } else {
            saysOneLine(row.says);
            EXPECT_EQ(outcome.out, QString());
            EXPECT_EQ(read(u"defaults.json"_s), before);
        }
    }
    for (const char* name : {"x.f32", "x.png", "x.jpg", "x.tessel"}) {
        EXPECT_FALSE(QFile::exists(dir.filePath(QString::fromLatin1(name)))) << name;
    }
}

TEST_F(CommandLine, FilesHoldWhatThePaperCodeMakesAndPapersRoundTrip) {
    const QString document = write(u"kitchen.tessel"_s, encodePaperDocument(kitchen));
    const auto exported = [this](const QStringList& arguments, const QString& name) {
        EXPECT_EQ(
            tessel(QStringList{u"export"_s} + arguments + QStringList{u"-o"_s, dir.filePath(name)})
                .code,
            0);
        return dir.filePath(name);
    };

    exported({u"tile"_s, u"graph"_s, u"--gsm"_s, u"200"_s, u"--night"_s}, u"graph.rgba"_s);
    const Recipe graph = Paper::find(u"graph"_s, {}).recipe;
    const QImage tile = shadeTile(heightField(graph, 1024), 1024, true, 200, graph.warmth);
    EXPECT_EQ(read(u"graph.rgba"_s),
              QByteArray(reinterpret_cast<const char*>(tile.constBits()), tile.sizeInBytes()));
    const QImage png(exported({u"tile"_s, u"kozo"_s}, u"kozo.png"_s));
    EXPECT_EQ(png.size(), QSize(1024, 1024));
    EXPECT_TRUE(png.hasAlphaChannel());

    exported({u"field"_s, document, u"--size"_s, u"128"_s}, u"kitchen.f32"_s);
    const std::vector<float> field = heightField(kitchen.recipe, 128);
    EXPECT_EQ(read(u"kitchen.f32"_s), QByteArray(reinterpret_cast<const char*>(field.data()),
                                                 qsizetype(field.size() * sizeof(float))));
    EXPECT_EQ(QImage(exported({u"field"_s, document, u"--size"_s, u"128"_s}, u"f.png"_s)).format(),
              QImage::Format_Grayscale16);
    const QImage preview(exported({u"preview"_s, document}, u"preview.png"_s));
    EXPECT_EQ(preview.size(), QSize(256, 256));
    EXPECT_TRUE(preview.isGrayscale());

    // The printed id is the one stored: exporting it gives the paper back.
    const QString id = tessel({u"import"_s, document}).out.trimmed();
    ASSERT_EQ(tessel({u"export-paper"_s, id, dir.filePath(u"out.tessel"_s)}).code, 0);
    EXPECT_EQ(std::get<CustomPaper>(readPaperDocument(dir.filePath(u"out.tessel"_s))),
              (CustomPaper{id, kitchen.name, kitchen.recipe}));
    ASSERT_EQ(tessel({u"export-paper"_s, u"felt"_s, dir.filePath(u"out.tessel"_s)}).code, 0);
    EXPECT_EQ(std::get<CustomPaper>(readPaperDocument(dir.filePath(u"out.tessel"_s))).recipe,
              Paper::find(u"felt"_s, {}).recipe);
}

} // namespace
} // namespace tessel
