#include "qt/KeyTranslation.h"

#include <QKeyEvent>

namespace vexlo::qtview {

namespace keys = platform::keys;

namespace {

constexpr int FunctionKeyCount = 24;

bool isLetter(int qtKey) {
    return qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z;
}

int keyCodeOf(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return keys::Enter;
        case Qt::Key_Escape:
            return keys::Escape;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return keys::Tab;
        case Qt::Key_Backspace:
            return keys::Backspace;
        default:
            break;
    }
    if (qtKey >= Qt::Key_F1 && qtKey < Qt::Key_F1 + FunctionKeyCount) {
        return keys::F1 + (qtKey - Qt::Key_F1);
    }
    // Qt's codes for letters, digits, space and the other Latin-1 keys are their character codes.
    return qtKey >= 0 && qtKey <= 0xFF ? qtKey : 0;
}

int qtKeyOf(int keyCode) {
    switch (keyCode) {
        case keys::Enter:
            return Qt::Key_Return;
        case keys::Escape:
            return Qt::Key_Escape;
        case keys::Tab:
            return Qt::Key_Tab;
        case keys::Backspace:
            return Qt::Key_Backspace;
        default:
            break;
    }
    if (keyCode >= keys::F1 && keyCode < keys::F1 + FunctionKeyCount) {
        return Qt::Key_F1 + (keyCode - keys::F1);
    }
    return keyCode > 0 && keyCode <= 0xFF ? keyCode : Qt::Key_unknown;
}

char32_t firstCharacter(const QString& text) {
    const QList<uint> points = text.toUcs4();
    return points.isEmpty() ? 0 : static_cast<char32_t>(points.front());
}

}  // namespace

platform::KeyStroke keyStroke(const QKeyEvent& event) {
    const int qtKey = event.key();
    const Qt::KeyboardModifiers mods = event.modifiers();
    platform::KeyStroke key;
    key.keyCode = keyCodeOf(qtKey);
    if (mods.testFlag(Qt::ShiftModifier)) key.shift |= platform::modifiers::Shift;
    if (mods.testFlag(Qt::ControlModifier)) key.shift |= platform::modifiers::Ctrl;

    switch (key.keyCode) {
        case keys::Enter:
        case keys::Tab:
        case keys::Escape:
        case keys::Backspace:
            key.character = static_cast<char32_t>(key.keyCode);
            return key;
        default:
            break;
    }
    if (mods.testFlag(Qt::ControlModifier)) {
        key.character = isLetter(qtKey) ? static_cast<char32_t>(qtKey - 64) : 0;
    } else if (qtKey == Qt::Key_Delete) {
        key.character = 0;  // Delete types nothing
    } else {
        key.character = firstCharacter(event.text());
    }
    return key;
}

std::vector<platform::KeyStroke> committedKeys(const QString& commit) {
    std::vector<platform::KeyStroke> strokes;
    for (const uint point : commit.toUcs4())
        strokes.push_back({0, 0, static_cast<char32_t>(point)});
    return strokes;
}

std::unique_ptr<QKeyEvent> keyEventFor(const platform::KeyStroke& key) {
    Qt::KeyboardModifiers mods;
    if ((key.shift & platform::modifiers::Shift) != 0) mods |= Qt::ShiftModifier;
    if ((key.shift & platform::modifiers::Ctrl) != 0) mods |= Qt::ControlModifier;
    QString text;
    if (key.character != 0) {
        const auto point = static_cast<char32_t>(key.character);
        text = QString::fromUcs4(&point, 1);
    }
    return std::make_unique<QKeyEvent>(QEvent::KeyPress, qtKeyOf(key.keyCode), mods, text);
}

bool isMenuAccessKey(const QKeyEvent& event) {
    return event.modifiers().testFlag(Qt::AltModifier) || event.key() == Qt::Key_Alt;
}

}  // namespace vexlo::qtview
