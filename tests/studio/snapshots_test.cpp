#include "StudioFixture.h"
#include "style/InterfacePalette.h"

#include <QDir>

namespace tessel {
namespace {

// Renders the Studio in both appearances into the build folder for a person to look at.
TEST_F(StudioTest, Snapshots) {
    const QString folder = QStringLiteral(TESSEL_SNAPSHOT_DIR);
    QDir().mkpath(folder);
    startFrom(QStringLiteral("Laid"));
    click(QStringLiteral("Save Paper"));
    for (const bool dark : {false, true}) {
        pane->setPalette(InterfacePalette::chrome(dark));
        pane->setAutoFillBackground(true);
        studio().setNight(dark);
        ASSERT_TRUE(waitFor([this] { return studio().preview().has_value(); }));
        const QPixmap picture = pane->grab();
        ASSERT_FALSE(picture.isNull());
        EXPECT_TRUE(picture.save(
            folder + QStringLiteral("/studio-%1.png")
                         .arg(dark ? QStringLiteral("dark") : QStringLiteral("light"))));
    }
}

} // namespace
} // namespace tessel
