#pragma once

#include "ui/kit/FormPage.h"

namespace tessel {

class RowList;
class Store;
struct SettingsContext;

// A row for each connected screen, followed as screens come and go.
class DisplaysPane final : public FormPage {
    Q_OBJECT

public:
    explicit DisplaysPane(SettingsContext& context, QWidget* parent = nullptr);

private:
    void rebuild();
    void sync();

    Store& m_store;
    RowList* m_rows;
};

} // namespace tessel
