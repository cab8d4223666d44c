#pragma once

#include "core/Settings.h"

#include <QObject>

namespace tessel {

class PaperGrid;
class Store;
class WeightRuler;

// Keeps a paper grid and a weight ruler showing the Day or the Night slot of the Store, and
// writes what the user picks in them straight back to that slot.
class SlotBinding final : public QObject {
    Q_OBJECT

public:
    SlotBinding(Store& store, PaperGrid& grid, WeightRuler& ruler, bool night);

    void setNight(bool night);
    bool night() const { return m_night; }
    Slot slot() const;
    Paper paper() const;

Q_SIGNALS:
    // The grid and ruler show the slot as the Store now has it.
    void shown();

private:
    void show();
    void edit(const std::function<void(Slot&)>& change);

    Store& m_store;
    PaperGrid& m_grid;
    WeightRuler& m_ruler;
    bool m_night;
};

} // namespace tessel
