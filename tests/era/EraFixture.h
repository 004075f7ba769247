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
#include "platform/Form.h"
#include "platform/headless/HeadlessServices.h"

namespace vexlo::era::testing {

class EmptyProfile : public platform::ProfileFile {
  public:
    std::optional<std::string> read(std::string_view, std::string_view) const override {
        return std::nullopt;
    }
    bool write(std::string_view, std::string_view, std::string_view) override { return true; }
};

struct ShownMessage {
    std::string title;
    std::string text;
    std::string displayWhenShown;
    std::string mem2WhenShown;
};

class SnapshotMessages : public platform::MessageBoxService {
  public:
    void show(std::string_view title, std::string_view text) override {
        shown.push_back({std::string(title), std::string(text),
                         calc ? calc->display() : std::string(),
                         calc ? calc->MEM2.caption() : std::string()});
    }
    const engine::Calculator* calc = nullptr;
    std::vector<ShownMessage> shown;
};

enum class Language { Japanese, English };

inline const char* languageName(Language language) {
    return language == Language::Japanese ? "ja" : "en";
}

class EraCalculator {
  public:
    EraCalculator() {
        messages.calc = &calc;
        form.subscribe([this](const platform::Control* what) {
            if (what == &calc.MEM2) mem2History.push_back(calc.MEM2.caption());
        });
    }

    void setLanguage(Language language) {
        calc.state.LanguageMode = language == Language::Japanese ? 0 : 1;
    }

    // The era mark and the number, as the key map and digit entry leave them.
    void eraToWestern(std::string mark, std::string display) {
        calc.MEM2.setCaption(std::move(mark));
        calc.setDisplay(std::move(display));
        mem2History.clear();
        WA_SEI_Click(calc);
    }

    void westernToEra(std::string display) {
        calc.setDisplay(std::move(display));
        mem2History.clear();
        SEI_WA_Click(calc);
    }

    EmptyProfile profile;
    platform::HeadlessPlatform headless{profile};
    SnapshotMessages messages;
    platform::Services services{messages,         headless.clipboard,   headless.keys,
                                profile,          headless.windowOrder, headless.screen,
                                headless.colours, headless.fonts,       headless.pointer,
                                headless.popup,   headless.windows};
    platform::Form form{"Calculator"};
    engine::Calculator calc{form, services};
    std::vector<std::string> mem2History;
};

}  // namespace vexlo::era::testing
