#include "qt/SecondaryViews.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

#include "qt/AboutView.h"
#include "qt/FontWindowView.h"
#include "qt/HelpView.h"
#include "qt/TapeView.h"

namespace vexlo::qtview {

QtWindowHost::ViewFactory secondaryViews(shell::MainWindow& main, QWidget& owner) {
    return [&main, &owner](platform::Form& form) -> QWidget* {
        QWidget* view = nullptr;
        if (&form == &main.fontWindow) view = new FontWindowView(main, &owner);
        if (&form == &main.helpForm) view = new HelpView(form, &owner);
        if (&form == &main.aboutForm) view = new AboutView(main, &owner);
        if (&form == &main.tapeWindow) view = new TapeView(main, &owner);
        if (view == nullptr) return nullptr;
        nameForReaders(*view, form, main);
        // The language switch reaches windows made before it.
        QPointer<QWidget> alive(view);
        main.form.subscribe([alive, &form, &main](const platform::Control* control) {
            if (alive && control == nullptr) nameForReaders(*alive, form, main);
        });
        return view;
    };
}

void nameForReaders(QWidget& view, const platform::Form& form, const shell::MainWindow& main) {
    const platform::MenuItem* english = main.form.findMenu("JJJ", 1);
    QString name = QString::fromStdString(form.caption());
    if (english != nullptr && english->checked()) {
        if (&form == &main.fontWindow) name = QStringLiteral("Vexlo font");
        if (&form == &main.helpForm) name = QStringLiteral("Vexlo help");
        if (&form == &main.aboutForm) name = QStringLiteral("About Vexlo");
        if (&form == &main.tapeWindow) name = QStringLiteral("Vexlo tape");
    }
    if (view.accessibleName() != name) view.setAccessibleName(name);
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
