#include "platform/qt/CalculatorView.h"

#include "platform/qt/WindowMouse.h"

namespace vexlo::qtview {

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
}

}  // namespace vexlo::qtview
