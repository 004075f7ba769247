#pragma once
// The calculator's real window on Qt's offscreen platform: no display, no window manager, an
// in-process clipboard, and an in-memory settings file, so nothing of the user's is touched.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <memory>
#include <string>

#include "platform/headless/HeadlessServices.h"
#include "platform/headless/MemoryProfileFile.h"
#include "qt/CalculatorView.h"
#include "qt/FontSubstitution.h"
#include "qt/QtServices.h"
#include "qt/SecondaryViews.h"
#include "shell/MainWindow.h"

namespace vexlo::qtview::testing {

// One QApplication for the whole test program, always on the offscreen platform.
class QtEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        // An offscreen platform with options (a screen of another DPI) is kept.
        if (!qEnvironmentVariable("QT_QPA_PLATFORM").startsWith(QStringLiteral("offscreen")))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QApplication>(argc_, argv_);
        installInterfaceFallback();  // as the program does
    }
    void TearDown() override { app_.reset(); }

  private:
    int argc_ = 1;
    char name_[16] = "qt_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

inline void processEvents() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

// The main window after its start-up step, shown. Messages are recorded (a modal box would wait
// for a user); every other service is the Qt one.
class ViewFixture : public ::testing::Test {
  protected:
    explicit ViewFixture(std::string settings = {}) : profile(std::move(settings)) {}

    void SetUp() override {
        keys.target = &window;
        windowOrder.attach(window);
        colours.parent = &window;
        popup.window = &window;
        windows.setFactory(secondaryViews(main, window));
        window.setSnapDelay(std::chrono::milliseconds(0));  // snaps on the next event round
        main.startUp();
        window.show();
        processEvents();
    }

    void sendKey(int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {}) {
        QKeyEvent press(QEvent::KeyPress, qtKey, mods, text);
        QCoreApplication::sendEvent(&window, &press);
        QKeyEvent release(QEvent::KeyRelease, qtKey, mods, text);
        QCoreApplication::sendEvent(&window, &release);
    }

    // Types characters as keys of a US keyboard: the key code of the character, and its text.
    void type(const QString& text) {
        for (const QChar c : text) {
            const int code = c.isLetter() ? c.toUpper().unicode() : c.unicode();
            sendKey(code, c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier, QString(c));
        }
    }

    QString shownDisplay() const {
        const QLabel* label = window.labelFor(main.controls.display);
        return label == nullptr ? QString() : label->text();
    }

    platform::MemoryProfileFile profile;
    platform::RecordingMessageBox messages;
    QtClipboard clipboard;
    QtKeyQueue keys;
    QtWindowOrder windowOrder;
    QtScreen screen;
    QtColourDialog colours;
    QtFontCatalog fonts;
    QtMousePointer pointer;
    QtPopupMenu popup;
    QtWindowHost windows;
    platform::Services services{messages, clipboard, keys,    profile, windowOrder, screen,
                                colours,  fonts,     pointer, popup,   windows};
    shell::MainWindow main{services};
    CalculatorView view{main};
    FormWindow& window = view.window();
};

}  // namespace vexlo::qtview::testing
