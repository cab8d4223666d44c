#pragma once

#include <QImage>
#include <QList>
#include <QString>

namespace tessel {

class LayerSurface;

// The paper surfaces, so that a capture of a screen can take the paper it shows back out.
class ShownPaper {
public:
    void add(const LayerSurface* surface) { m_surfaces.append(surface); }
    void remove(const LayerSurface* surface) { m_surfaces.removeAll(surface); }

    // The pixels last handed to the compositor for the screen, or null where it shows none.
    const QImage* on(const QString& screenId) const;

private:
    QList<const LayerSurface*> m_surfaces;
};

} // namespace tessel
