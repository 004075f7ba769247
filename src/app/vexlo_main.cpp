// The calculator's window: the settings file beside the program (or in the user's configuration
// directory), the main window's start-up step, then the event loop until the window closes, and
// a bounded wait for the settings writes still pending.

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QTimer>
#include <filesystem>
#include <iostream>
#include <memory>

#include "app/VexloCommandLine.h"
#include "platform/headless/MemoryProfileFile.h"
#include "qt/CalculatorView.h"
#include "qt/FontSubstitution.h"
#include "qt/PlatformChoice.h"
#include "qt/QtServices.h"
#include "qt/SecondaryViews.h"
#include "shell/MainWindow.h"
#include "shell/settings/DiskProfileFile.h"
#include "shell/settings/QueuedProfileFile.h"
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

// The settings file, written without ever keeping the window waiting; kept for this run only
// when an installed program has no home to keep them in.
struct Settings {
    std::unique_ptr<vexlo::shell::DiskProfileFile> disk;
    std::unique_ptr<vexlo::shell::QueuedProfileFile> queued;
    vexlo::platform::MemoryProfileFile memory;

    Settings() {
        const std::filesystem::path programDir =
            vexlo::shell::programDirectory().value_or(std::filesystem::path());
        const auto location =
            vexlo::shell::settingsFilePath(programDir, vexlo::shell::Environment::current());
        if (!location) return;
        disk = std::make_unique<vexlo::shell::DiskProfileFile>(*location);
        queued = std::make_unique<vexlo::shell::QueuedProfileFile>(*disk);
    }
    vexlo::platform::ProfileFile& file() {
        if (queued) return *queued;
        return memory;
    }
};

void reportLoss(vexlo::shell::MainWindow& calculator, const vexlo::shell::QueuedProfileFile& file) {
    const auto lost = file.lost();
    const bool heldByAnother =
        !lost.empty() && lost.front().why == vexlo::shell::WriteOutcome::Busy;
    calculator.reportLostSettings(heldByAnother, file.path().string());
}

}  // namespace

int main(int argc, char** argv) {
    if (const auto status = vexlo::app::exitBeforeWindow(argc, argv, std::cout, std::cerr)) {
        return *status;
    }
    vexlo::qtview::preferNativeWayland();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vexlo"));
    // Wayland shells find the window's icon and name through its desktop file.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.vexlo.Vexlo"));
    vexlo::qtview::installInterfaceFallback();  // before any widget measures a Japanese caption

    Settings settings;
    vexlo::qtview::QtPlatform platform(settings.file());

    vexlo::shell::MainWindow calculator(platform.services);
    vexlo::qtview::CalculatorView view(calculator);
    platform.attach(view.window());
    platform.windows.setFactory(vexlo::qtview::secondaryViews(calculator, view.window()));
    bool told = false;  // a lost setting is told once
    const auto tellLoss = [&calculator, &settings, &told] {
        if (told) return;
        told = true;
        reportLoss(calculator, *settings.queued);
    };
    if (settings.queued) {
        // Found by the retrying thread too: told on the window's own thread.
        settings.queued->onFirstLoss([&tellLoss] {
            QMetaObject::invokeMethod(QCoreApplication::instance(), tellLoss, Qt::QueuedConnection);
        });
    }
    // The close waits a little for the writes still pending, and tells of any lost, while the
    // event loop can still show a message.
    view.window().onClosed = [&settings, &tellLoss] {
        if (settings.queued) {
            settings.queued->finish(vexlo::shell::SettingsCloseWait);
            if (!settings.queued->lost().empty()) tellLoss();
        }
        QCoreApplication::quit();
    };

    calculator.startUp();
    view.window().show();
    IconAfterFirstPaint icon;
    view.window().installEventFilter(&icon);
    return QApplication::exec();
}
