// The options and help menus wired to their handlers; the one-of-two arrays pass their index.

#include "shell/MainWindow.h"

namespace vexlo::shell {

void MainWindow::wireShellMenus() {
    using Handler = void (MainWindow::*)(int);
    struct Choice {
        const char* name;
        int index;
        Handler handler;
    };
    // clang-format off
    static constexpr Choice Choices[] = {
        {"font2", 0, &MainWindow::openFontWindow},
        {"MMM", 0, &MainWindow::chooseMainColour},
        {"LLL", 1, &MainWindow::chooseDisplayTextColour},
        {"RRR", 2, &MainWindow::chooseMemoryTextColour},
        {"EEE", 3, &MainWindow::chooseOperatorTextColour},
        {"XXX", 4, &MainWindow::chooseResumeColour},
        {"KKK", 0, &MainWindow::chooseResume}, {"KKK", 1, &MainWindow::chooseResume},
        {"TTT", 0, &MainWindow::chooseOnTop}, {"TTT", 1, &MainWindow::chooseOnTop},
        {"JJJ", 0, &MainWindow::chooseLanguage}, {"JJJ", 1, &MainWindow::chooseLanguage},
        {"AAA", 0, &MainWindow::chooseWarnings}, {"AAA", 1, &MainWindow::chooseWarnings},
        {"HHH", 0, &MainWindow::showHelp},
    };
    // clang-format on
    for (const Choice& choice : Choices) {
        form.findMenu(choice.name, choice.index)->onClick = [this, choice] {
            (this->*choice.handler)(choice.index);
        };
    }
    form.findMenu("VER_FORM")->onClick = [this] { showVersion(); };
}

}  // namespace vexlo::shell
