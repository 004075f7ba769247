// The version window `About_Form`: modal, centred on the screen, closed by its OK button.

#include "shell/MainWindow.h"

namespace vexlo::shell {

void MainWindow::buildAboutForm() {
    aboutForm.setCaption("【ベクロ】バージョン情報");
    aboutForm.setWidth(5760);
    aboutForm.setHeight(3600);

    auto& product = aboutForm.add<platform::Label>("Label1");
    product.setCaption("VEXLO Practical Calculator");
    product.setGeometry(1800, 240, 3720, 375);
    product.setFontSize(12);
    product.setFontBold(true);

    auto& version = aboutForm.add<platform::Label>("Label3");
    version.setCaption("Version 23");
    version.setGeometry(1800, 720, 3720, 375);
    version.setFontSize(10.5);

    auto& credit = aboutForm.add<platform::Label>("Label2");
    credit.setCaption("Made by the Vexlo team for everyday sums, taxes and era years.");
    credit.setGeometry(1800, 1200, 3720, 735);
    credit.setFontSize(9);

    auto& ok = aboutForm.add<platform::Button>("Command1");
    ok.setCaption("OK");
    ok.setGeometry(4200, 2400, 1200, 495);
    ok.onClick = [this] { closeVersion(); };
}

void MainWindow::showVersion() {
    const platform::Screen& screen = services_.screen;
    aboutForm.move((screen.width() - aboutForm.width()) / 2,
                   (screen.height() - aboutForm.height()) / 2);
    aboutForm.setVisible(true);
    services_.windows.runModal(aboutForm);
}

void MainWindow::closeVersion() {
    aboutForm.setVisible(false);
}

}  // namespace vexlo::shell
