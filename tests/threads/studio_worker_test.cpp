#include "MachineTest.h"
#include "paper/HeightField.h"
#include "paper/TileShading.h"
#include "studio/Studio.h"

#include <QSignalSpy>

namespace tessel {
namespace {

class StudioWorker : public MachineTest {
protected:
    StudioWorker() { startStore(); }
};

// Previews are made on a worker while the recipe keeps changing on the main thread; only the
// last recipe's preview may show.
TEST_F(StudioWorker, ABurstOfChangesShowsThePreviewOfTheLastRecipe) {
    Studio studio(*store);
    QSignalSpy started(&studio, &Studio::synthesisStarted);
    studio.schedulePreview();
    ASSERT_TRUE(waitFor([&] { return studio.preview().has_value(); }));
    Recipe recipe = studio.recipe();
    for (int step = 1; step <= 30; ++step) {
        recipe.grain = static_cast<float>(step) / 30;
        studio.setRecipe(recipe);
        if (step % 10 == 0) {
            // A job starts, so that older jobs finish during newer ones.
            const qsizetype before = started.count();
            ASSERT_TRUE(waitFor([&] { return started.count() > before; }));
        }
    }
    const int size = PaperCache::previewSize;
    const QImage expected = previewImage(heightField(recipe, size), size);
    EXPECT_TRUE(waitFor([&] { return studio.preview() == expected; }));
    EXPECT_FALSE(waitFor([&] { return studio.preview() != expected; }, 500ms));
}

TEST_F(StudioWorker, AStudioClosedWhileItsPreviewIsMadeIsGoneSafely) {
    for (int round = 0; round < 3; ++round) {
        Studio studio(*store);
        QSignalSpy started(&studio, &Studio::synthesisStarted);
        studio.schedulePreview();
        ASSERT_TRUE(waitFor([&] { return !started.isEmpty(); }));
    }
}

} // namespace
} // namespace tessel
