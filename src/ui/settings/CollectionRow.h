#pragma once

#include <QWidget>

class QHBoxLayout;
class QLabel;

namespace tessel {

class ArtLibrary;
class ArtThumb;
class Toggle;

namespace gallery {
struct Collection;
}

// One collection of paintings: a few of them in miniature, its name, how many works it holds,
// and whether art mode draws from it.
class CollectionRow : public QWidget {
    Q_OBJECT

public:
    static constexpr int thumbnails = 3;

    // A collection that ships with Tessel, its paintings from the library.
    CollectionRow(const gallery::Collection& collection, const ArtLibrary& library,
                  QWidget* parent = nullptr);

    Toggle* toggle() const { return m_toggle; }
    QString countText() const;

protected:
    CollectionRow(const gallery::Collection& collection, QWidget* parent);

    // Replaces the miniatures (at most `thumbnails`) and the line under the name.
    void showWorks(const QList<ArtThumb*>& thumbs, const QString& count);
    // Puts a control just before the switch.
    void addControl(QWidget* control);

private:
    QHBoxLayout* m_row;
    QHBoxLayout* m_gallery;
    Toggle* m_toggle;
    QLabel* m_count;
};

} // namespace tessel
