#pragma once

#include <QWidget>

class QLabel;

namespace tessel {

class ArtLibrary;
class Toggle;

namespace gallery {
struct Collection;
}

// One collection of paintings: a few of them in miniature, its name, how many works it holds,
// and whether art mode draws from it.
class CollectionRow final : public QWidget {
    Q_OBJECT

public:
    static constexpr int thumbnails = 3;

    CollectionRow(const gallery::Collection& collection, const ArtLibrary& library,
                  QWidget* parent = nullptr);

    Toggle* toggle() const { return m_toggle; }

private:
    Toggle* m_toggle;
    QLabel* m_count;
};

} // namespace tessel
