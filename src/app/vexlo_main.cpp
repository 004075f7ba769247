// The calculator's window: the settings file beside the program (or in the user's configuration
// directory), the main window's start-up step, then the event loop until the window closes.

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QTimer>
#include <filesystem>
#include <iostream>
#include <memory>

#include "app/VexloCommandLine.h"
#include "platform/headless/MemoryProfileFile.h"
#include "platform/qt/CalculatorView.h"
#include "platform/qt/FontSubstitution.h"
#include "platform/qt/PlatformChoice.h"
#include "platform/qt/QtServices.h"
#include "platform/qt/SecondaryViews.h"
#include "shell/MainWindow.h"
#include "shell/settings/DiskProfileFile.h"
#include "shell/settings/SettingsLocation.h"

namespace {

// Sets the window's icon (for X11 task bars) once the window has been painted the first time,
// so that decoding it never delays the window's first appearance. The icon is the program's
// own, built in: looking it up in the icon theme would cost a megabyte for the theme's index.
class IconAfterFirstPaint : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, [] {
                QIcon icon;
                for (const int size : {16, 32, 48})
                    icon.addFile(QStringLiteral(":/icons/%1x%1/vexlo.png").arg(size));
                QApplication::setWindowIcon(icon);
            });
        }
        return false;
    }
};

// Settings kept for this run only when an installed program has no home to keep them in.
std::unique_ptr<vexlo::platform::ProfileFile> openSettings() {
    const std::filesystem::path programDir =
        vexlo::shell::programDirectory().value_or(std::filesystem::path());
    const auto path =
        vexlo::shell::settingsFilePath(programDir, vexlo::shell::Environment::current());
    if (!path) return std::make_unique<vexlo::platform::MemoryProfileFile>();
    return std::make_unique<vexlo::shell::DiskProfileFile>(*path);
}

}  // namespace

int main(int argc, char** argv) {
    if (const auto status = vexlo::app::exitBeforeWindow(argc, argv, std::cout, std::cerr)) {
        return *status;
    }
    vexlo::qtview::preferXWaylandUnderWayland();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vexlo"));
    // Wayland shells find the window's icon and name through its desktop file.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.vexlo.Vexlo"));
    vexlo::qtview::installInterfaceFallback();  // before any widget measures a Japanese caption

    const std::unique_ptr<vexlo::platform::ProfileFile> profile = openSettings();
    vexlo::qtview::QtPlatform platform(*profile);

    vexlo::shell::MainWindow calculator(platform.services);
    vexlo::qtview::CalculatorView view(calculator);
    platform.attach(view.window());
    platform.windows.setFactory(vexlo::qtview::secondaryViews(calculator, view.window()));
    view.window().onClosed = [] { QCoreApplication::quit(); };

    calculator.Form_Load();
    view.window().show();
    IconAfterFirstPaint icon;
    view.window().installEventFilter(&icon);
    return QApplication::exec();
}
