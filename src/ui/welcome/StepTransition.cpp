#include "ui/welcome/StepTransition.h"

#include "style/Easing.h"

#include <QGraphicsOpacityEffect>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>
#include <QWidget>

namespace tessel {

namespace {

constexpr int rise = 16;

QPropertyAnimation* fade(QWidget* page, qreal from, qreal to, int milliseconds) {
    auto* effect = new QGraphicsOpacityEffect(page);
    effect->setOpacity(from);
    page->setGraphicsEffect(effect);
    auto* animation = new QPropertyAnimation(effect, "opacity");
    animation->setStartValue(from);
    animation->setEndValue(to);
    animation->setDuration(milliseconds);
    animation->setEasingCurve(easeOut());
    return animation;
}

} // namespace

StepTransition::StepTransition(QObject* parent)
    : QObject(parent) {}

void StepTransition::run(QWidget* outgoing, QWidget* incoming, bool animated) {
    if (m_group) {
        m_group->stop();
        finish();
    }
    incoming->move(0, 0);
    incoming->show();
    incoming->raise();
    if (!animated || !outgoing) {
        if (outgoing) {
            outgoing->hide();
        }
        return;
    }
    m_outgoing = outgoing;
    m_incoming = incoming;
    m_group = new QParallelAnimationGroup(this);
    m_group->addAnimation(fade(outgoing, 1, 0, 220));
    m_group->addAnimation(fade(incoming, 0, 1, 420));
    auto* move = new QPropertyAnimation(incoming, "pos");
    move->setStartValue(QPoint(0, rise));
    move->setEndValue(QPoint(0, 0));
    move->setDuration(420);
    move->setEasingCurve(easeOut());
    m_group->addAnimation(move);
    incoming->move(0, rise);
    connect(m_group, &QAbstractAnimation::finished, this, &StepTransition::finish);
    m_group->start();
}

// Drops the effects once still: a page renders sharper and cheaper without one.
void StepTransition::finish() {
    if (m_outgoing) {
        m_outgoing->hide();
        m_outgoing->setGraphicsEffect(nullptr);
    }
    if (m_incoming) {
        m_incoming->move(0, 0);
        m_incoming->setGraphicsEffect(nullptr);
    }
    m_outgoing = nullptr;
    m_incoming = nullptr;
    if (m_group) {
        m_group->deleteLater();
        m_group = nullptr;
    }
}

} // namespace tessel
