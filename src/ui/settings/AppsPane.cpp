#include "ui/settings/AppsPane.h"

#include "core/Store.h"
#include "ui/kit/FormSection.h"
#include "ui/kit/WhyNotNote.h"
#include "ui/settings/AppAdders.h"
#include "ui/settings/AppList.h"
#include "ui/settings/AppRow.h"
#include "ui/settings/PaperPicker.h"
#include "ui/settings/RadioPicker.h"
#include "ui/settings/SettingsContext.h"

#include <QPushButton>

namespace tessel {

namespace {

constexpr int paperPickerWidth = 140;
const QString newAppPaper = QStringLiteral("kozo");

} // namespace

AppsPane::AppsPane(SettingsContext& context, QWidget* parent)
    : FormPage(parent)
    , m_store(context.store)
    , m_mode(new RadioPicker({QStringLiteral("Everywhere except listed apps"),
                              QStringLiteral("Only in listed apps")})) {
    // The lists are kept where the front app is unknown, but nothing can follow them.
    auto* whyNot = new WhyNotNote;
    whyNot->explain(m_store.platform().unavailable(DesktopAbility::frontApp));
    addWidget(whyNot);
    addSection()->addRow(QStringLiteral("Show paper"), m_mode);
    connect(m_mode, &RadioPicker::chosen, this, [this](int index) {
        m_store.updateSettings(
            [index](Settings& s) { s.appMode = static_cast<Settings::AppMode>(index); });
    });
    m_excluded = addList(QStringLiteral("Paper steps aside for"), &Settings::excludedApps);
    m_only = addList(QStringLiteral("Paper shows only in"), &Settings::onlyApps);
    auto* restore = new QPushButton(QStringLiteral("Restore Defaults"));
    m_excluded.adders->addButton(restore);
    connect(restore, &QPushButton::clicked, this, [this] {
        m_store.updateSettings(
            [](Settings& s) { s.excludedApps = Settings::defaultExcludedApps(); });
    });
    addAppPapers();
    connect(&m_store, &Store::settingsChanged, this, &AppsPane::sync);
    sync();
}

AppsPane::ListedApps AppsPane::addList(const QString& title, QStringList Settings::*apps) {
    FormSection* section = addSection(title);
    auto* list = new AppList(m_store.platform());
    auto* adders = new AppAdders(m_store.platform());
    section->addWidget(list);
    section->addWidget(adders);
    connect(list, &AppList::removeRequested, this, [this, apps](const QString& id) {
        m_store.updateSettings([&](Settings& s) { (s.*apps).removeAll(id); });
    });
    connect(adders, &AppAdders::chosen, this, [this, apps](const QString& id) {
        m_store.updateSettings([&](Settings& s) {
            if (!(s.*apps).contains(id)) {
                (s.*apps).append(id);
            }
        });
    });
    return {apps, section, list, adders};
}

void AppsPane::addAppPapers() {
    FormSection* section = addSection(QStringLiteral("Paper per app"));
    section->setFooter(QStringLiteral(
        "These apps always get their own paper, whatever the Day or Night paper is."));
    m_papered = new AppList(m_store.platform());
    m_paperedAdders = new AppAdders(m_store.platform());
    section->addWidget(m_papered);
    section->addWidget(m_paperedAdders);
    connect(m_papered, &AppList::removeRequested, this, [this](const QString& id) {
        m_store.updateSettings([&](Settings& s) { s.appPapers.remove(id); });
    });
    connect(m_paperedAdders, &AppAdders::chosen, this, [this](const QString& id) {
        m_store.updateSettings([&](Settings& s) {
            if (!s.appPapers.contains(id)) {
                s.appPapers.insert(id, newAppPaper);
            }
        });
    });
}

void AppsPane::sync() {
    const Settings& settings = m_store.settings();
    const bool onlyListed = settings.appMode == Settings::AppMode::onlyListed;
    m_mode->setCurrent(static_cast<int>(settings.appMode));
    m_excluded.section->setVisible(!onlyListed);
    m_only.section->setVisible(onlyListed);
    for (const ListedApps* listed : {&m_excluded, &m_only}) {
        listed->list->setApps(settings.*(listed->apps));
        listed->adders->setListed(settings.*(listed->apps));
    }
    syncAppPapers();
}

void AppsPane::syncAppPapers() {
    const Settings& settings = m_store.settings();
    const QStringList ids = settings.appPapers.keys();
    m_paperedAdders->setListed(ids);
    const bool rebuilt = m_papered->setApps(ids, [this](AppRow& row) {
        auto* picker = new PaperPicker;
        picker->setFixedWidth(paperPickerWidth);
        picker->setAccessibleName(QStringLiteral("Paper for %1").arg(row.appId()));
        const QString id = row.appId();
        connect(picker, &PaperPicker::picked, this, [this, id](const QString& paper) {
            m_store.updateSettings([&](Settings& s) { s.appPapers.insert(id, paper); });
        });
        m_pickers.insert(id, picker);
        row.addControl(picker);
    });
    if (rebuilt) {
        m_pickers.removeIf([&](const auto& entry) { return !ids.contains(entry.key()); });
    }
    for (auto it = m_pickers.cbegin(); it != m_pickers.cend(); ++it) {
        if (it.value()) {
            it.value()->showPaper(settings.customPapers, settings.appPapers.value(it.key()));
        }
    }
}

} // namespace tessel
