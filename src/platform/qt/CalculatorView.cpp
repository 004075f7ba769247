#include "platform/qt/CalculatorView.h"

#include <QLabel>
#include <QTimer>
#include <chrono>

#include "era/EraTables.h"
#include "platform/qt/GlyphWarmup.h"
#include "platform/qt/WindowMouse.h"

namespace vexlo::qtview {

namespace {

// Late enough that the key's own drawing has reached the screen, long before a typist's next
// key.
constexpr std::chrono::milliseconds WarmDelay{5};

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CalculatorView::CalculatorView(shell::MainWindow& main)
    : accessibilityFirst_(), main_(main), window_(main.form) {
    engine::Calculator& calc = main_.calc;
    window_.setAlignment(calc.Readout, Qt::AlignRight | Qt::AlignVCenter);
    window_.setAlignment(calc.MEM2, Qt::AlignCenter);
    // The display's text is never cut and never lies under the mark; the mark is never cut.
    window_.setFitted(calc.Readout, &calc.MEM2);
    window_.setFitted(calc.MEM2, nullptr);
    window_.onMouseDown = [this](const platform::Control& control, int button, int shift) {
        if (&control == &main_.calc.Readout) main_.Readout_MouseDown(button, shift);
    };
    window_.onDoubleClick = [this](const platform::Control& control) {
        if (&control == &main_.calc.Readout) main_.calc.Readout_DblClick();
    };
    new WindowMouse(*window_.centralWidget(), [this](int button, int shift) {
        main_.Form_MouseDown(button, shift);
        window_.flush();
    });
    accessibility_ = std::make_unique<DisplayAccessibility>(main_, window_);
    // Start-up shows "0." and a blank mark; the mark's face (a large CJK one) and the glyphs of
    // results are first needed a few keys later. Loading them at start-up would cost every
    // start its time and memory; after the first key they load while the user reads.
    window_.onKeyDelivered = [this] {
        if (warmed_) return;
        warmed_ = true;
        QTimer::singleShot(WarmDelay, &window_, [this] { warmGlyphs(); });
    };
}

void CalculatorView::warmGlyphs() {
    const engine::Calculator& calc = main_.calc;
    QString mark = QStringLiteral("＋－×÷%MEＭ億");
    QString display = QStringLiteral("0123456789.,-: 年");
    for (const auto& era : era::EraMarks)
        mark += fromView(era.kanjiMark) + fromView(era.letterMark);
    for (const auto& era : era::EraRanges) display += fromView(era.name);
    for (const auto& era : era::EraMarks) display += fromView(era.letterMark);
    if (const QLabel* label = window_.labelFor(calc.MEM2)) qtview::warmGlyphs(*label, mark);
    if (const QLabel* label = window_.labelFor(calc.Readout)) qtview::warmGlyphs(*label, display);
}

}  // namespace vexlo::qtview
