#include "studio/StudioSheet.h"

#include "studio/Studio.h"
#include "style/InterfacePalette.h"
#include "style/Metrics.h"
#include "ui/kit/LitPaper.h"
#include "ui/kit/SectionHeading.h"
#include "ui/kit/SlotSwitch.h"
#include "ui/kit/Spring.h"

#include <QGraphicsDropShadowEffect>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>
#include <QVBoxLayout>

namespace tessel {

namespace {

constexpr QSize sheetSize(260, 340);
constexpr qreal sheetRadius = 16;
constexpr int captionInset = 16;
// More would cover the paper the caption names.
constexpr int captionLines = 3;
constexpr qreal captionSize = 26;
constexpr qreal captionInk = 0.82;
// The sheet lifts off the page: a soft shadow below it.
constexpr QColor shadowColour(0, 0, 0, 31);
constexpr qreal shadowBlur = 14;
constexpr QPointF shadowOffset(0, 8);
// A lively spring, so the light keeps up with the pointer; a deeper relief than the popover's.
constexpr Spring lightSpring{0.9, 1};
constexpr float reliefStrength = 1.6f;
// Above the top edge, towards the left, so the relief reads as lit from a window.
constexpr QPointF restingLight(60, -60);
constexpr int switchWidth = 200;
constexpr QMargins columnMargins(8, 12, 10, 24);
constexpr int sheetToSwitch = 28;

// The name wrapped to the width, its last line cut with an ellipsis when it needs more.
QString captionText(const QString& name, const QFont& font, int width) {
    QTextLayout layout(name, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    const QFontMetrics metrics(font);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (lines.size() == captionLines - 1) {
            lines << metrics.elidedText(name.mid(line.textStart()), Qt::ElideRight, width);
            break;
        }
        lines << name.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines.join(u'\n');
}

// Drawn over the sheet: its outline and the paper's name. Lets the pointer through, so the
// light still follows it.
class SheetCaption final : public QWidget {
public:
    SheetCaption(Studio& studio, QWidget* parent)
        : QWidget(parent)
        , m_studio(studio) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        connect(&studio, &Studio::nameChanged, this, qOverload<>(&QWidget::update));
        connect(&studio, &Studio::nightChanged, this, qOverload<>(&QWidget::update));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        // A half-point outline, drawn half of itself inside the sheet.
        const qreal inset = metrics::halfLine / 2;
        const QRectF edge = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
        painter.setPen(
            QPen(withAlpha(Tones::of(palette()).primary, metrics::hairline), metrics::halfLine));
        painter.drawRoundedRect(edge, sheetRadius, sheetRadius);
        const QString name =
            m_studio.name().isEmpty() ? QStringLiteral("Untitled") : m_studio.name();
        const QColor ink =
            m_studio.night() ? InterfacePalette::paperWhite() : InterfacePalette::ink();
        painter.setPen(withAlpha(ink, captionInk));
        const QFont font = serifFont(*this, captionSize);
        painter.setFont(font);
        const QRect text =
            rect().adjusted(captionInset, captionInset, -captionInset, -captionInset);
        painter.drawText(text, Qt::AlignLeft | Qt::AlignBottom,
                         captionText(name, font, text.width()));
    }

private:
    Studio& m_studio;
};

QGraphicsDropShadowEffect* softShadow(QObject* parent) {
    auto* shadow = new QGraphicsDropShadowEffect(parent);
    shadow->setColor(shadowColour);
    shadow->setBlurRadius(shadowBlur);
    shadow->setOffset(shadowOffset);
    return shadow;
}

} // namespace

StudioSheet::StudioSheet(Studio& studio, QWidget* parent)
    : QWidget(parent)
    , m_studio(studio)
    , m_sheet(new LitPaper(lightSpring, this)) {
    m_sheet->setFixedSize(sheetSize);
    m_sheet->setStrength(reliefStrength);
    m_sheet->setCornerRadius(sheetRadius);
    m_sheet->setRestingLight(restingLight);
    m_sheet->setGraphicsEffect(softShadow(m_sheet));
    auto* caption = new SheetCaption(studio, m_sheet);
    caption->setGeometry(m_sheet->rect());

    auto* dayNight = new SlotSwitch(this);
    dayNight->setFixedWidth(switchWidth);
    connect(dayNight, &SlotSwitch::chosen, &studio, &Studio::setNight);
    connect(&studio, &Studio::nightChanged, this, [this, dayNight] {
        dayNight->setNight(m_studio.night());
        m_sheet->setNight(m_studio.night());
    });
    connect(&studio, &Studio::previewChanged, this, &StudioSheet::showPreview);
    showPreview();

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(columnMargins);
    column->setSpacing(sheetToSwitch);
    column->addWidget(m_sheet, 0, Qt::AlignHCenter);
    column->addWidget(dayNight, 0, Qt::AlignHCenter);
    column->addStretch();
}

void StudioSheet::showPreview() {
    m_sheet->setPreview(m_studio.preview().value_or(QImage()));
}

} // namespace tessel
