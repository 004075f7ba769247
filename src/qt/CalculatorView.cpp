#include "qt/CalculatorView.h"

#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <chrono>

#include "era/EraTables.h"
#include "qt/ClickableWidgets.h"
#include "qt/GlyphWarmup.h"
#include "qt/QtTranslations.h"
#include "qt/WindowMouse.h"

namespace vexlo::qtview {

namespace {

// Late enough that the key's own drawing has reached the screen, long before a typist's next
// key.
constexpr std::chrono::milliseconds WarmDelay{5};

// What the mark and the display show beyond "0.": marks, era letters, era years.
QString markSample() {
    QString sample = QStringLiteral("＋－×÷%MEＭ億");
    for (const auto& era : era::EraMarks)
        sample += QString::fromUtf8(era.kanjiMark) + QString::fromUtf8(era.letterMark);
    return sample;
}

QString displaySample() {
    QString sample = QStringLiteral("0123456789.,-: 年");
    for (const auto& era : era::EraRanges) sample += QString::fromUtf8(era.name);
    for (const auto& era : era::EraMarks) sample += QString::fromUtf8(era.letterMark);
    return sample;
}

}  // namespace

CalculatorView::CalculatorView(shell::MainWindow& main)
    : accessibilityFirst_(), main_(main), window_(main.form), warmer_(&window_) {
    shell::CalculatorControls& controls = main_.controls;
    window_.setAlignment(controls.display, Qt::AlignRight | Qt::AlignVCenter);
    window_.setAlignment(controls.mark, Qt::AlignCenter);
    // The display's text is never cut and never lies under the mark; the mark is never cut.
    window_.setFitted(controls.display, &controls.mark);
    window_.setFitted(controls.mark, nullptr);
    window_.sizeRange = [this] {
        const shell::MainWindow::SizeRange range = main_.windowSizeRange();
        return SizeRange{{range.minimumWidth, range.minimumHeight},
                         {range.maximumWidth, range.maximumHeight}};
    };
    window_.onMouseDown = [this](const platform::Control& control, int button, int shift) {
        if (&control == &main_.controls.display) main_.displayMouseDown(button, shift);
    };
    window_.onDoubleClick = [this](const platform::Control& control) {
        if (&control == &main_.controls.display) main_.displayDoubleClick();
    };
    new WindowMouse(*window_.centralWidget(), [this](int button, int shift) {
        main_.windowMouseDown(button, shift);
        window_.flush();
    });
    accessibility_ = std::make_unique<DisplayAccessibility>(main_, window_);
    keyboard_ = new KeyboardAccess(main_, window_);
    window_.onKeyTyped = [this](const platform::KeyStroke& key) { accessibility_->keyTyped(key); };
    window_.afterKeyPress = [this](const QKeyEvent& key) { keyboard_->keyPressed(key); };
    nameForReaders();
    QPointer<FormWindow> alive(&window_);
    main_.form.subscribe([this, alive](const platform::Control* control) {
        if (alive && control == nullptr) nameForReaders();
    });
    // Start-up shows "0." and a blank mark; the mark's face (a large CJK one) and the glyphs of
    // results are first needed a few keys later. Loading them at start-up would cost every
    // start its time and memory; after the first key they load while the user reads.
    window_.onKeyDelivered = [this] {
        if (warmer_.started() || main_.form.closed()) return;
        if (const QLabel* label = window_.labelFor(main_.controls.mark))
            warmer_.add(label, markSample());
        if (const QLabel* label = window_.labelFor(main_.controls.display))
            warmer_.add(label, displaySample());
        warmer_.start(WarmDelay);
    };
}

void CalculatorView::nameForReaders() {
    const platform::MenuItem* english = main_.form.findMenu("JJJ", 1);
    const bool inEnglish = english != nullptr && english->checked();
    if (inEnglish == namedInEnglish_) return;
    namedInEnglish_ = inEnglish;
    useQtTexts(inEnglish);
    window_.menuBar()->setAccessibleName(inEnglish ? QStringLiteral("Menu bar")
                                                   : QString::fromUtf8("メニュー"));
    window_.clickables().nameGroups([inEnglish](ClickableWidgets::Group group) {
        switch (group) {
            case ClickableWidgets::Group::Categories:
                return inEnglish ? QStringLiteral("Kind of unit") : QString::fromUtf8("分類");
            case ClickableWidgets::Group::Sources:
                return inEnglish ? QStringLiteral("Convert from") : QString::fromUtf8("変換元");
            case ClickableWidgets::Group::Targets:
                return inEnglish ? QStringLiteral("Convert to") : QString::fromUtf8("変換先");
            case ClickableWidgets::Group::Buttons:
                break;
        }
        return QString();
    });
}

}  // namespace vexlo::qtview
