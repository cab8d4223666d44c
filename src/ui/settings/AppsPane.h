#pragma once

#include "ui/kit/FormPage.h"

#include <QHash>
#include <QPointer>
#include <QStringList>

namespace tessel {

class AppAdders;
class AppList;
class FormSection;
class PaperPicker;
class RadioPicker;
class Store;
struct Settings;
struct SettingsContext;

// Where paper shows: every app but those listed, or only those listed; and the apps that
// always get a paper of their own.
class AppsPane final : public FormPage {
    Q_OBJECT

public:
    explicit AppsPane(SettingsContext& context, QWidget* parent = nullptr);

private:
    // One of the two lists "Show paper" chooses between; the other keeps its apps, hidden.
    struct ListedApps {
        QStringList Settings::*apps;
        FormSection* section;
        AppList* list;
        AppAdders* adders;
    };

    ListedApps addList(const QString& title, QStringList Settings::*apps);
    void addAppPapers();
    void sync();
    void syncAppPapers();

    Store& m_store;
    RadioPicker* m_mode;
    ListedApps m_excluded;
    ListedApps m_only;
    AppList* m_papered;
    AppAdders* m_paperedAdders;
    QHash<QString, QPointer<PaperPicker>> m_pickers;
};

} // namespace tessel
