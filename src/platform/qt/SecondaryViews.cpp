#include "platform/qt/SecondaryViews.h"

#include <QGuiApplication>
#include <QScreen>

#include "platform/qt/AboutView.h"
#include "platform/qt/FontWindowView.h"
#include "platform/qt/HelpView.h"

namespace vexlo::qtview {

QtWindowHost::ViewFactory secondaryViews(shell::MainWindow& main, QWidget& owner) {
    return [&main, &owner](platform::Form& form) -> QWidget* {
        if (&form == &main.fontWindow) return new FontWindowView(main, &owner);
        if (&form == &main.helpForm) return new HelpView(form, &owner);
        if (&form == &main.aboutForm) return new AboutView(main, &owner);
        return nullptr;
    };
}

PixelScale scaleOf(const QWidget& widget) {
    const QScreen* screen = widget.screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return {};
    return PixelScale::fromDpi(screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY());
}

void fitToAvailableArea(QWidget& view, QSize wanted, const QWidget* near) {
    const QScreen* screen = near != nullptr ? near->screen() : view.screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        view.resize(wanted);
        return;
    }
    // The frame the owner has on the screen, or the design's title bar and borders.
    QSize frame = near != nullptr && near->isVisible() ? near->frameGeometry().size() - near->size()
                                                       : QSize();
    const PixelScale scale = scaleOf(view);
    frame = frame.expandedTo({toPixels(NominalNonClientWidth, scale.x),
                              toPixels(NominalTitleBar + 2 * NominalBorder, scale.y)});
    view.resize(wanted.boundedTo(screen->availableGeometry().size() - frame));
}

void placeFromModel(QWidget& view, const platform::Form& form, bool position) {
    if (position) {
        const PixelScale scale = scaleOf(view);
        const QPoint place(toPixels(form.left(), scale.x), toPixels(form.top(), scale.y));
        if (view.pos() != place) view.move(place);
    }
    if (!form.visible() && view.isVisible()) view.hide();
    if (form.visible() && !view.isVisible()) view.show();
}

void movedByUser(const QWidget& view, platform::Form& form) {
    if (!view.isVisible()) return;
    const PixelScale scale = scaleOf(view);
    const QPoint place(toPixels(form.left(), scale.x), toPixels(form.top(), scale.y));
    if (view.pos() == place) return;
    form.move(toTwips(view.pos().x(), scale.x), toTwips(view.pos().y(), scale.y));
}

}  // namespace vexlo::qtview
