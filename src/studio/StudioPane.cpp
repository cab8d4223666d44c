#include "studio/StudioPane.h"

#include "studio/Studio.h"
#include "studio/StudioForm.h"
#include "studio/StudioSheet.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>

namespace tessel {

namespace {

StudioPane::FileDialogs systemDialogs() {
    return {
        [](QWidget* parent, const QString& suggestedName) {
            return QFileDialog::getSaveFileName(parent, QStringLiteral("Export Paper"),
                                                QDir::home().filePath(suggestedName),
                                                QStringLiteral("Tessel paper (*.tessel)"));
        },
        [](QWidget* parent) {
            return QFileDialog::getOpenFileName(parent, QStringLiteral("Import Paper"),
                                                QDir::homePath(),
                                                QStringLiteral("Tessel paper (*.tessel *.json)"));
        },
    };
}

} // namespace

StudioPane::StudioPane(Store& store, QWidget* parent)
    : QWidget(parent)
    , m_studio(new Studio(store, this))
    , m_dialogs(systemDialogs()) {
    auto* form = new StudioForm(*m_studio, store, this);
    connect(form, &StudioForm::exportRequested, this, &StudioPane::exportPaper);
    connect(form, &StudioForm::importRequested, this, &StudioPane::importPaper);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(form, 1);
    layout->addWidget(new StudioSheet(*m_studio, this), 0, Qt::AlignTop);
}

void StudioPane::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        m_studio->schedulePreview();
    }
}

void StudioPane::exportPaper() {
    // The paper as it was when the dialog opened, whatever happens behind it meanwhile.
    const CustomPaper document = m_studio->document();
    const QString path = m_dialogs.exportPath(this, m_studio->suggestedFileName());
    if (!path.isEmpty()) {
        m_studio->exportTo(path, document);
    }
}

void StudioPane::importPaper() {
    const QString path = m_dialogs.importPath(this);
    if (!path.isEmpty()) {
        m_studio->importFrom(path);
    }
}

} // namespace tessel
