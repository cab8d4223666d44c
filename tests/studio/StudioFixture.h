#pragma once

#include "../ui/UiFixture.h"
#include "studio/Studio.h"
#include "studio/StudioPane.h"

#include <QFile>
#include <QLineEdit>
#include <QMenu>

namespace tessel {

// A shown Studio pane over a started Store, answering its file dialogs with `nextPath`.
class StudioTest : public UiTest {
protected:
    void SetUp() override {
        startStore();
        pane = std::make_unique<StudioPane>(*store);
        pane->setFileDialogs({[this](QWidget*, const QString& suggested) {
                                  suggestedName = suggested;
                                  return nextPath;
                              },
                              [this](QWidget*) { return nextPath; }});
        pane->resize(pane->minimumSizeHint().width(), 900);
        pane->show();
    }

    Studio& studio() const { return pane->studio(); }

    void click(const QString& name) const {
        QAbstractButton* found = button(*pane, name);
        ASSERT_TRUE(found) << name.toStdString();
        found->click();
    }

    void startFrom(const QString& paperName) const {
        for (QMenu* menu : pane->findChildren<QMenu*>()) {
            for (QAction* action : menu->actions()) {
                if (action->text() == paperName) {
                    action->trigger();
                    return;
                }
            }
        }
        FAIL() << "no paper named " << paperName.toStdString();
    }

    void typeName(const QString& name) const {
        auto* field = pane->findChild<QLineEdit*>();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, name);
    }

    QString writeFile(const QString& fileName, const QByteArray& bytes) const {
        const QString path = dir.filePath(fileName);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }

    const QList<CustomPaper>& customPapers() const { return store->settings().customPapers; }

    std::unique_ptr<StudioPane> pane;
    QString nextPath;
    QString suggestedName;
};

} // namespace tessel
