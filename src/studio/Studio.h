#pragma once

#include "core/Settings.h"

#include <QImage>
#include <QObject>
#include <QRandomGenerator>
#include <QTimer>

#include <optional>

namespace tessel {

class Store;

// The Studio's editing state and what can be done with it, apart from any widget: the recipe
// being shaped, its name, the custom paper it edits, and its grey preview, made in the
// background a short pause after each change. Lives on the main thread.
class Studio final : public QObject {
    Q_OBJECT

public:
    // Starts from Kozo, named "My Paper", editing nothing.
    explicit Studio(Store& store, QObject* parent = nullptr);

    const Recipe& recipe() const { return m_recipe; }
    void setRecipe(const Recipe& recipe);
    const QString& name() const { return m_name; }
    void setName(const QString& name);
    const std::optional<QString>& editing() const { return m_editing; }
    const std::optional<QImage>& preview() const { return m_preview; }
    bool night() const { return m_night; }
    void setNight(bool night);
    // True for a moment after each save.
    bool saved() const { return m_saved; }
    // Why the last save, import or export failed, as the command line says it; empty once one
    // succeeds.
    const QString& refusal() const { return m_refusal; }

    // Makes a preview of the current recipe after the usual pause.
    void schedulePreview();

    // Takes the paper's recipe; a custom paper is then edited in place, a built-in one copied.
    void load(const QString& paperId);
    // Stores the paper under its cleaned name; false when a new paper is refused.
    bool save();
    void useAsDay();
    void useAsNight();
    // Deletes the edited paper; the recipe stays for a new one.
    void remove();
    void newVariation();
    // Draws new variations from this generator, so that its sequence can be repeated.
    void setRandomGenerator(const QRandomGenerator& generator) { m_random = generator; }

    // The document Export writes: the edited id or "custom", the name as typed.
    CustomPaper document() const;
    QString suggestedFileName() const;
    // Imports a paper document as a new paper, numbered when its name is taken; false, with
    // nothing changed, when it is not one or is refused.
    bool importFrom(const QString& path);
    // Writes the document; false when the file system refuses it.
    bool exportTo(const QString& path, const CustomPaper& document);

Q_SIGNALS:
    void recipeChanged();
    void nameChanged();
    void editingChanged();
    void previewChanged();
    void nightChanged();
    void savedChanged();
    void refusalChanged();
    // A synthesis has begun on a worker thread.
    void synthesisStarted();

private:
    void startSynthesis();
    void publish(quint64 generation, const Recipe& recipe, const QImage& preview);
    void setEditing(std::optional<QString> id);
    void setSaved(bool saved);
    void setRefusal(const QString& refusal);
    void useAs(Slot Settings::*slot);

    Store& m_store;
    Recipe m_recipe;
    QString m_name;
    std::optional<QString> m_editing;
    std::optional<QImage> m_preview;
    Recipe m_previewRecipe;
    bool m_night = false;
    bool m_saved = false;
    QString m_refusal;
    quint64 m_generation = 0;
    QTimer m_debounce;
    QTimer m_savedFade;
    QRandomGenerator m_random;
};

} // namespace tessel
