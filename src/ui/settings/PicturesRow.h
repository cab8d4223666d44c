#pragma once

#include "art/PictureLoader.h"
#include "ui/settings/CollectionRow.h"

#include <optional>

namespace tessel {

class Store;

// "Your Pictures": a few pictures of the chosen folder in miniature, how many it holds, and a
// button that chooses the folder. Without a folder the collection is offered but empty.
class PicturesRow final : public CollectionRow {
    Q_OBJECT

public:
    explicit PicturesRow(Store& store, QWidget* parent = nullptr);

private:
    void showFolder();
    void chooseFolder();

    Store& m_store;
    PictureLoader m_loader;
    std::optional<QString> m_shown;
};

} // namespace tessel
