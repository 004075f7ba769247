// The calculator's window: the settings file beside the program (or in the user's configuration
// directory), the main window's start-up step, then the event loop until the window closes.

#include <QApplication>
#include <filesystem>

#include "platform/qt/CalculatorView.h"
#include "platform/qt/PlatformChoice.h"
#include "platform/qt/QtServices.h"
#include "platform/qt/SecondaryViews.h"
#include "shell/MainWindow.h"
#include "shell/settings/DiskProfileFile.h"
#include "shell/settings/SettingsLocation.h"

int main(int argc, char** argv) {
    vexlo::qtview::preferXWaylandUnderWayland();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vexlo"));

    const std::filesystem::path programDir =
        vexlo::shell::programDirectory().value_or(std::filesystem::path());
    vexlo::shell::DiskProfileFile profile(
        vexlo::shell::settingsFilePath(programDir, vexlo::shell::Environment::current()));
    vexlo::qtview::QtPlatform platform(profile);

    vexlo::shell::MainWindow calculator(platform.services);
    vexlo::qtview::CalculatorView view(calculator);
    platform.attach(view.window());
    platform.windows.setFactory(vexlo::qtview::secondaryViews(calculator, view.window()));
    view.window().onClosed = [] { QCoreApplication::quit(); };

    calculator.Form_Load();
    view.window().show();
    return QApplication::exec();
}
