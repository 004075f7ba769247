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
        {"font2", 0, &MainWindow::font2_Click},
        {"MMM", 0, &MainWindow::MMM_Click},
        {"LLL", 1, &MainWindow::LLL_Click},
        {"RRR", 2, &MainWindow::RRR_Click},
        {"EEE", 3, &MainWindow::EEE_Click},
        {"XXX", 4, &MainWindow::XXX_Click},
        {"KKK", 0, &MainWindow::KKK_Click}, {"KKK", 1, &MainWindow::KKK_Click},
        {"TTT", 0, &MainWindow::TTT_Click}, {"TTT", 1, &MainWindow::TTT_Click},
        {"JJJ", 0, &MainWindow::JJJ_Click}, {"JJJ", 1, &MainWindow::JJJ_Click},
        {"AAA", 0, &MainWindow::AAA_Click}, {"AAA", 1, &MainWindow::AAA_Click},
        {"HHH", 0, &MainWindow::HHH_Click},
    };
    // clang-format on
    for (const Choice& choice : Choices) {
        form.findMenu(choice.name, choice.index)->onClick = [this, choice] {
            (this->*choice.handler)(choice.index);
        };
    }
    form.findMenu("VER_FORM")->onClick = [this] { VER_FORM_Click(); };
}

}  // namespace vexlo::shell
