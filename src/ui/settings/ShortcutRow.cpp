#include "ui/settings/ShortcutRow.h"

#include "shortcuts/ShortcutKeys.h"
#include "shortcuts/ShortcutRegistry.h"
#include "style/InterfacePalette.h"
#include "style/Metrics.h"
#include "ui/kit/Symbol.h"
#include "ui/kit/WarningLabel.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>

namespace tessel {

namespace {

constexpr int editWidth = 170;

// The reason a typed combination cannot be a shortcut, mirroring what ShortcutKeys accepts.
std::optional<QString> refusal(QKeyCombination keys) {
    if (ShortcutKeys::parse(ShortcutKeys::format(keys))) {
        return std::nullopt;
    }
    const bool chord = (keys.keyboardModifiers() & ~Qt::ShiftModifier) != Qt::NoModifier;
    const bool functionKey = keys.key() >= Qt::Key_F1 && keys.key() <= Qt::Key_F12;
    if (chord || functionKey) {
        return QStringLiteral("%1 can't be a shortcut. Use a letter, digit or function key.")
            .arg(ShortcutKeys::format(keys));
    }
    return QStringLiteral("Hold Ctrl, Alt or Super with the key, or use a function key.");
}

// Qt's editor records up to four chords and announces them a second after the last; a
// shortcut is a single chord, taken as soon as it is typed.
class ChordEdit final : public QKeySequenceEdit {
public:
    explicit ChordEdit(std::function<void()> typed)
        : m_typed(std::move(typed)) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        QKeySequenceEdit::keyPressEvent(event);
        if (!keySequence().isEmpty()) {
            m_typed();
        }
    }

private:
    std::function<void()> m_typed;
};

} // namespace

ShortcutRow::ShortcutRow(const QString& name, const QString& label, ShortcutRegistry* registry,
                         std::optional<QKeyCombination> stored, QWidget* parent)
    : QWidget(parent)
    , m_name(name)
    , m_registry(registry)
    , m_edit(new ChordEdit([this] { record(); }))
    , m_clear(new QToolButton)
    , m_problem(new WarningLabel) {
    auto* line = new QHBoxLayout;
    line->setSpacing(metrics::gap);
    line->addWidget(new QLabel(label), 1);
    m_edit->setAccessibleName(label);
    m_edit->setFixedWidth(editWidth);
    line->addWidget(m_edit);
    m_clear->setAccessibleName(QStringLiteral("Clear %1").arg(label));
    m_clear->setToolTip(QStringLiteral("Clear"));
    m_clear->setAutoRaise(true);
    QSizePolicy keepPlace = m_clear->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    m_clear->setSizePolicy(keepPlace);
    line->addWidget(m_clear);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(metrics::tightGap);
    column->addLayout(line);
    column->addWidget(m_problem);
    setEnabled(registry != nullptr);
    showKeys(stored);
    connect(m_clear, &QToolButton::clicked, this, &ShortcutRow::clear);
    paintClearSymbol();
}

void ShortcutRow::record() {
    const QKeySequence typed = m_edit->keySequence();
    if (typed.isEmpty() || !m_registry) {
        return;
    }
    const QKeyCombination keys = typed[0];
    std::optional<QString> problem = refusal(keys);
    if (!problem) {
        problem = m_registry->set(m_name, keys);
    }
    m_problem->say(problem.value_or(QString()));
    showKeys(problem ? m_keys : std::optional(keys));
}

void ShortcutRow::clear() {
    m_registry->clear(m_name);
    m_problem->say({});
    showKeys(std::nullopt);
}

// The edit shows combinations the way the rest of Tessel writes them ("Super", not "Meta").
void ShortcutRow::showKeys(std::optional<QKeyCombination> keys) {
    m_keys = keys;
    const QSignalBlocker blocker(m_edit);
    m_edit->setKeySequence(keys ? QKeySequence(*keys) : QKeySequence());
    if (auto* text = m_edit->findChild<QLineEdit*>()) {
        text->setText(keys ? ShortcutKeys::format(*keys) : QString());
        text->setPlaceholderText(QStringLiteral("Record Shortcut"));
    }
    m_clear->setVisible(keys.has_value());
}

void ShortcutRow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange) {
        paintClearSymbol();
    }
    QWidget::changeEvent(event);
}

void ShortcutRow::paintClearSymbol() {
    m_clear->setIcon(symbol(QStringLiteral("edit-clear-symbolic"), Tones::of(palette()).secondary,
                            metrics::symbolSize, devicePixelRatioF()));
}

} // namespace tessel
