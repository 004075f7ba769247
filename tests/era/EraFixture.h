#pragma once
// A calculator on a headless platform for driving the era handlers directly. Each message is
// recorded with the display and the mark as they stood when it was shown, and every caption
// MEM2 takes is kept in order.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/Calculator.h"
#include "era/EraConversion.h"

namespace vexlo::era::testing {

struct ShownMessage {
    std::string title;
    std::string text;
    std::string displayWhenShown;
    std::string mem2WhenShown;
};

enum class Language { Japanese, English };

inline const char* languageName(Language language) {
    return language == Language::Japanese ? "ja" : "en";
}

class EraCalculator {
  public:
    EraCalculator() {
        calc.onStripChanged = [this](engine::Calculator::StripPart) {
            if (calc.mark() == lastMark_) return;
            lastMark_ = calc.mark();
            mem2History.push_back(lastMark_);
        };
    }

    void setLanguage(Language language) {
        calc.setLanguage(language == Language::Japanese ? engine::Language::Japanese
                                                        : engine::Language::English);
    }

    // The era mark and the number, as the key map and digit entry leave them.
    void eraToWestern(std::string mark, std::string display) {
        calc.setMark(std::move(mark));
        calc.setDisplay(std::move(display));
        mem2History.clear();
        record(era::eraToWestern(calc));
    }

    void westernToEra(std::string display) {
        calc.setDisplay(std::move(display));
        mem2History.clear();
        record(era::westernToEra(calc));
    }

    engine::Calculator calc;
    struct {
        std::vector<ShownMessage> shown;
    } messages;
    std::vector<std::string> mem2History;

  private:
    void record(const engine::Outcome& outcome) {
        for (const auto& m : outcome.messages) {
            messages.shown.push_back({m.title, m.text, m.display, m.mark});
        }
    }
    std::string lastMark_;
};

}  // namespace vexlo::era::testing
