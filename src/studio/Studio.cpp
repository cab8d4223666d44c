#include "studio/Studio.h"

#include "core/Store.h"
#include "paper/HeightField.h"
#include "paper/PaperName.h"
#include "paper/TileShading.h"
#include "studio/CustomPapers.h"
#include "studio/PaperFile.h"

#include <QFutureWatcher>
#include <QtConcurrent>

namespace tessel {

namespace {

constexpr int previewSize = 256;
// Long enough that a slider drag makes one preview when it rests, short enough to feel live.
constexpr int previewPauseMs = 60;
constexpr int savedNoteMs = 1600;
const QString untitledPaperName = QStringLiteral("My Paper");

QImage synthesise(const Recipe& recipe) {
    const std::vector<float> field = heightField(recipe, previewSize);
    return previewImage(field, previewSize);
}

} // namespace

Studio::Studio(Store& store, QObject* parent)
    : QObject(parent)
    , m_store(store)
    , m_recipe(Paper::find(QStringLiteral("kozo"), {}).recipe)
    , m_name(untitledPaperName)
    , m_random(QRandomGenerator::securelySeeded()) {
    m_debounce.setSingleShot(true);
    m_debounce.setInterval(previewPauseMs);
    connect(&m_debounce, &QTimer::timeout, this, &Studio::startSynthesis);
    m_savedFade.setSingleShot(true);
    m_savedFade.setInterval(savedNoteMs);
    connect(&m_savedFade, &QTimer::timeout, this, [this] { setSaved(false); });
}

void Studio::setRecipe(const Recipe& recipe) {
    if (recipe == m_recipe) {
        return;
    }
    m_recipe = recipe;
    Q_EMIT recipeChanged();
    schedulePreview();
}

void Studio::setName(const QString& name) {
    if (name != m_name) {
        m_name = name;
        Q_EMIT nameChanged();
    }
}

void Studio::setNight(bool night) {
    if (night != m_night) {
        m_night = night;
        Q_EMIT nightChanged();
    }
}

void Studio::schedulePreview() {
    // A newer generation makes any job still running publish nothing.
    ++m_generation;
    m_debounce.start();
}

void Studio::startSynthesis() {
    auto* watcher = new QFutureWatcher<QImage>(this);
    const quint64 generation = m_generation;
    const Recipe recipe = m_recipe;
    connect(watcher, &QFutureWatcher<QImage>::finished, this, [=, this] {
        publish(generation, recipe, watcher->result());
        watcher->deleteLater();
    });
    watcher->setFuture(QtConcurrent::run(synthesise, recipe));
    Q_EMIT synthesisStarted();
}

void Studio::publish(quint64 generation, const Recipe& recipe, const QImage& preview) {
    if (generation != m_generation || preview.isNull()) {
        return;
    }
    m_preview = preview;
    m_previewRecipe = recipe;
    Q_EMIT previewChanged();
}

void Studio::load(const QString& paperId) {
    const Paper paper = Paper::find(paperId, m_store.settings().customPapers);
    setRecipe(paper.recipe);
    if (paper.id.startsWith(u"custom-")) {
        setName(paper.name);
        setEditing(paper.id);
    } else {
        setName(QStringLiteral("My ") + paper.name);
        setEditing(std::nullopt);
    }
}

bool Studio::save() {
    setName(cleanPaperName(m_name));
    const QString id = m_editing.value_or(newCustomPaperId());
    const CustomPaper paper{id, m_name.isEmpty() ? untitledPaperName : m_name, m_recipe};
    std::optional<PaperRefusal> refusal;
    m_store.updateSettings(
        [&](Settings& settings) { refusal = storeCustomPaper(settings, paper); });
    setRefusal(refusal ? refusal->message : QString());
    if (refusal) {
        return false;
    }
    setEditing(id);
    // A swatch must never show another recipe than the paper's, so a preview still being made
    // is not handed over; the cache makes its own.
    if (m_preview && m_previewRecipe == m_recipe) {
        m_store.setPreview(id, *m_preview);
    } else {
        m_store.setPreview(id, std::nullopt);
        m_store.makePreviews();
    }
    setSaved(true);
    m_savedFade.start();
    return true;
}

void Studio::useAsDay() {
    useAs(&Settings::day);
}

void Studio::useAsNight() {
    useAs(&Settings::night);
}

void Studio::useAs(Slot Settings::*slot) {
    if (save() && m_editing) {
        m_store.updateSettings(
            [slot, id = *m_editing](Settings& settings) { (settings.*slot).paper = id; });
    }
}

void Studio::remove() {
    if (!m_editing) {
        return;
    }
    m_store.updateSettings(
        [id = *m_editing](Settings& settings) { deleteCustomPaper(settings, id); });
    setEditing(std::nullopt);
    setName(untitledPaperName);
    setRefusal({});
}

void Studio::newVariation() {
    Recipe next = m_recipe;
    next.seed = m_random.bounded(1, 1000000);
    setRecipe(next);
}

CustomPaper Studio::document() const {
    return {m_editing.value_or(QStringLiteral("custom")), m_name, m_recipe};
}

QString Studio::suggestedFileName() const {
    return (m_name.isEmpty() ? QStringLiteral("Paper") : m_name) + QStringLiteral(".tessel");
}

bool Studio::importFrom(const QString& path) {
    const auto read = readPaperDocument(path);
    if (const auto* error = std::get_if<PaperFileError>(&read)) {
        setRefusal(describe(*error, path));
        return false;
    }
    const auto& paper = std::get<CustomPaper>(read);
    if (const auto refusal = refuseNewPaper(m_store.settings())) {
        setRefusal(refusal->message);
        return false;
    }
    const QString name = cleanPaperName(paper.name);
    setRecipe(paper.recipe);
    setName(unusedPaperName(m_store.settings(), name.isEmpty() ? untitledPaperName : name));
    setEditing(std::nullopt);
    save();
    m_store.makePreviews();
    return true;
}

bool Studio::exportTo(const QString& path, const CustomPaper& document) {
    const auto error = writePaperDocument(path, document);
    setRefusal(error.value_or(QString()));
    return !error;
}

void Studio::setEditing(std::optional<QString> id) {
    if (id != m_editing) {
        m_editing = std::move(id);
        Q_EMIT editingChanged();
    }
}

void Studio::setSaved(bool saved) {
    if (saved != m_saved) {
        m_saved = saved;
        Q_EMIT savedChanged();
    }
}

void Studio::setRefusal(const QString& refusal) {
    if (refusal != m_refusal) {
        m_refusal = refusal;
        Q_EMIT refusalChanged();
    }
}

} // namespace tessel
