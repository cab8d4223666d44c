#include "ui/kit/SlotBinding.h"

#include "core/Store.h"
#include "ui/kit/PaperGrid.h"
#include "ui/kit/WeightRuler.h"

namespace tessel {

SlotBinding::SlotBinding(Store& store, PaperGrid& grid, WeightRuler& ruler, bool night)
    : QObject(&grid)
    , m_store(store)
    , m_grid(grid)
    , m_ruler(ruler)
    , m_night(night) {
    connect(&store, &Store::settingsChanged, this, &SlotBinding::show);
    connect(&store, &Store::previewsChanged, this, &SlotBinding::show);
    connect(&grid, &PaperGrid::chosen, this,
            [this](const QString& id) { edit([&id](Slot& slot) { slot.paper = id; }); });
    connect(&ruler, &WeightRuler::chosen, this,
            [this](double gsm) { edit([gsm](Slot& slot) { slot.gsm = gsm; }); });
    show();
}

void SlotBinding::setNight(bool night) {
    if (night != m_night) {
        m_night = night;
        show();
    }
}

Slot SlotBinding::slot() const {
    return m_night ? m_store.settings().night : m_store.settings().day;
}

Paper SlotBinding::paper() const {
    return Paper::find(slot().paper, m_store.settings().customPapers);
}

void SlotBinding::edit(const std::function<void(Slot&)>& change) {
    m_store.updateSettings([&](Settings& s) { change(m_night ? s.night : s.day); });
}

void SlotBinding::show() {
    m_grid.setPapers(Paper::all(m_store.settings().customPapers));
    m_grid.setPreviews(m_store.previews());
    m_grid.setNight(m_night);
    // An unknown id reads as the paper it falls back to.
    m_grid.setSelected(paper().id);
    m_ruler.setGsm(slot().gsm);
    Q_EMIT shown();
}

} // namespace tessel
