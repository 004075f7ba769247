// The one message that tells the user a setting could not be kept.

#include <string>

#include "shell/MainWindow.h"

namespace vexlo::shell {

namespace {

constexpr const char* HeldJapanese =
    "ほかのプログラムが設定ファイルを使用中のため、設定を保存できませんでした。";
constexpr const char* HeldEnglish =
    "The settings could not be saved: another program kept the settings file locked.";
constexpr const char* UnwritableJapanese =
    "設定ファイルに書き込めないため、設定を保存できませんでした。";
constexpr const char* UnwritableEnglish =
    "The settings could not be saved: the settings file cannot be written.";

}  // namespace

void MainWindow::reportLostSettings(bool heldByAnother, std::string_view file) {
    const bool japanese = calculator.japanese();
    std::string text = heldByAnother ? (japanese ? HeldJapanese : HeldEnglish)
                                     : (japanese ? UnwritableJapanese : UnwritableEnglish);
    text += "\n";
    text += file;
    services_.messages.show(calculator.messageTitle(), text);
}

}  // namespace vexlo::shell
