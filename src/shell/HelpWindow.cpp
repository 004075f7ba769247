// The help window `Help_Form`: modeless, one window only; choosing help again brings the same
// window forward.

#include <string>

#include "shell/HelpText.h"
#include "shell/MainWindow.h"

namespace vexlo::shell {

namespace {

constexpr const char* HelpFont = "ＭＳ Ｐゴシック";

}  // namespace

void MainWindow::buildHelpForm() {
    helpForm.setCaption("【ベクロ】ヘルプ");
    helpForm.setWidth(9000);
    helpForm.setHeight(12000);

    platform::Twips top = 120;
    for (const HelpHeading& heading : HelpHeadings) {
        auto& label = helpForm.add<platform::Label>(heading.name, heading.index);
        label.setCaption(heading.caption);
        label.setFontName(HelpFont);
        label.setFontSize(heading.fontSize);
        label.setFontBold(heading.bold);
        label.setGeometry(240, top, 8505, 360);
        top += 480;
    }

    std::string body;
    for (const HelpParagraph& paragraph : HelpBody) {
        if (!body.empty()) body += "\n";
        body += paragraph.text;
    }
    auto& text = helpForm.add<platform::Label>("Label1");
    text.setCaption(std::move(body));
    text.setFontName(HelpFont);
    text.setFontSize(9.75);
    text.setGeometry(240, 480, 8505, 10980);
}

void MainWindow::showHelp(int) {
    helpForm.setVisible(true);
    services_.windows.raise(helpForm);
}

}  // namespace vexlo::shell
