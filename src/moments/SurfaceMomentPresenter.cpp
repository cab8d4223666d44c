#include "moments/SurfaceMomentPresenter.h"

#include "style/Easing.h"

#include <QTimer>
#include <QVariantAnimation>

namespace tessel {

// One screen's part of a moment: its view on its own surface, faded by painting it with less
// opacity.
class SurfaceMomentPresenter::Sheet final : public QObject {
public:
    Sheet(const ScreenInfo& screen, std::unique_ptr<MomentView> view,
          const MomentSurfaceFactory& surfaces, std::function<void()> onDismiss)
        : m_size(screen.frame.size())
        , m_view(std::move(view))
        , m_onDismiss(std::move(onDismiss)) {
        m_surface = surfaces(
            screen, [this](QPainter& painter, const QRegion& region) { paint(painter, region); },
            [this] {
                if (m_onDismiss) {
                    m_onDismiss();
                }
            });
        connect(m_view.get(), &MomentView::changed, this, [this] { m_surface->update(QRect()); });
        m_fade.setEasingCurve(easeOut());
        connect(&m_fade, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
            m_opacity = value.toDouble();
            m_surface->update(QRect());
        });
        connect(&m_fade, &QVariantAnimation::finished, this, [this] {
            if (m_fadeCompletion) {
                std::exchange(m_fadeCompletion, nullptr)();
            }
        });
    }

    void present() {
        m_surface->show();
        m_view->appear();
    }

    void withdraw() { m_surface->hide(); }

    void stopListening() { m_onDismiss = nullptr; }

    void fade(double opacity, std::chrono::milliseconds duration,
              std::function<void()> completion) {
        m_fade.stop();
        m_fadeCompletion = std::move(completion);
        if (duration.count() <= 0) {
            m_opacity = opacity;
            m_surface->update(QRect());
            if (m_fadeCompletion) {
                std::exchange(m_fadeCompletion, nullptr)();
            }
            return;
        }
        m_fade.setDuration(static_cast<int>(duration.count()));
        m_fade.setStartValue(m_opacity);
        m_fade.setEndValue(opacity);
        m_fade.start();
    }

private:
    void paint(QPainter& painter, const QRegion& region) {
        painter.setClipRegion(region);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(region.boundingRect(), Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setOpacity(m_opacity);
        m_view->paint(painter, m_size);
    }

    QSizeF m_size;
    std::unique_ptr<MomentView> m_view;
    std::function<void()> m_onDismiss;
    double m_opacity = 0;
    QVariantAnimation m_fade;
    std::function<void()> m_fadeCompletion;
    // Last, so that it goes first: it may still paint while it is torn down.
    std::unique_ptr<OverlaySurface> m_surface;
};

SurfaceMomentPresenter::SurfaceMomentPresenter(Platform& platform, MomentSurfaceFactory surfaces)
    : MomentPresenter(platform)
    , m_surfaces(std::move(surfaces)) {}

SurfaceMomentPresenter::~SurfaceMomentPresenter() = default;

void SurfaceMomentPresenter::show(const Content& content, std::function<void()> onDismiss,
                                  std::chrono::milliseconds fadeIn) {
    if (isShowing()) {
        return;
    }
    m_previousApp = m_platform.frontmostApp();
    for (const ScreenInfo& screen : m_platform.screens()) {
        auto sheet = std::make_unique<Sheet>(screen, content(screen), m_surfaces, onDismiss);
        sheet->present();
        sheet->fade(1, motion(fadeIn), nullptr);
        m_shown.push_back(std::move(sheet));
    }
}

void SurfaceMomentPresenter::hide() {
    if (!isShowing()) {
        return;
    }
    for (auto& owned : std::exchange(m_shown, {})) {
        Sheet* sheet = owned.get();
        sheet->stopListening();
        m_leaving.push_back(std::move(owned));
        sheet->fade(0, motion(fadeOut), [this, sheet] {
            sheet->withdraw();
            // Not from inside the sheet's own animation.
            QTimer::singleShot(0, &m_sweeper, [this, sheet] {
                std::erase_if(m_leaving,
                              [sheet](const auto& leaving) { return leaving.get() == sheet; });
            });
        });
    }
    returnFocus();
}

} // namespace tessel
