#pragma once

#include "ui/kit/FormPage.h"

namespace tessel {

class SlotEditor;
struct SettingsContext;

class PapersPane final : public FormPage {
    Q_OBJECT

public:
    explicit PapersPane(SettingsContext& context, QWidget* parent = nullptr);

    SlotEditor* day() const { return m_day; }
    SlotEditor* night() const { return m_night; }

private:
    SlotEditor* m_day;
    SlotEditor* m_night;
};

} // namespace tessel
