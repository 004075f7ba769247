// The panel's controls as designed, and the handlers of the category boxes and source slots,
// which fill the captions from the rule rows and reset the display.

#include "units/UnitPanel.h"

#include <string>

#include "units/Rules.h"

namespace vexlo::units {

namespace {

constexpr const char* PanelFont = "Terminal";
constexpr double PanelFontSize = 9.75;

struct Placement {
    int number;
    platform::Twips left, top, width, height;
};

// clang-format off
constexpr std::array<Placement, CheckCount> CheckPlacements{{
    {1, 2520, 1320, 1575, 255},
    {2, 2520, 1560, 1695, 255},
    {3, 2520, 1800, 1695, 270},
    {4,  120,  960,  855, 270},
    {5, 1080,  960,  855, 270},
    {6, 2040,  960,  855, 270},
    {7, 3000,  960,  855, 270},
    {8, 2520, 2040, 1815, 270},
    {9, 2520, 2280, 1815, 270},
    {10, 2520, 2520, 1935, 270},
}};

constexpr std::array<Placement, OptionCount> OptionPlacements{{
    {1, 240, 1320, 1575, 255},
    {2, 240, 1560, 1575, 255},
    {3, 240, 1800, 1575, 255},
    {4, 240, 2040, 1695, 255},
    {5, 240, 2280, 1695, 270},
    {6, 240, 2520, 1815, 255},
    {7, 240, 2760, 1815, 255},
    {8, 240, 3000, 1815, 270},
    {9, 240, 3240, 1815, 270},
    {10, 240, 3480, 1935, 270},
    {11, 240, 3720, 2055, 270},
}};

constexpr Placement Command3Placement{3, 2520, 3120, 615, 375};
constexpr Placement Command4Placement{4, 3360, 3120, 615, 375};
// clang-format on

template <typename T>
T& addPanelControl(platform::Form& form, const char* name, const Placement& at,
                   std::string caption) {
    auto& control = form.add<T>(name + std::to_string(at.number));
    control.setCaption(std::move(caption));
    control.setFontName(PanelFont);
    control.setFontSize(PanelFontSize);
    control.setFontBold(true);
    control.setGeometry(at.left, at.top, at.width, at.height);
    return control;
}

std::optional<Category> categoryOfBox(int box) {
    for (const CategoryRow& row : Categories) {
        if (row.box == box) return row.category;
    }
    return std::nullopt;
}

}  // namespace

UnitPanel::UnitPanel(platform::Form& form, engine::Calculator& calc, platform::Label& display,
                     platform::Label& mark, int& unitPanelMode)
    : backButton(addPanelControl<platform::Button>(form, "Command", Command3Placement, "戻る")),
      exitButton(addPanelControl<platform::Button>(form, "Command", Command4Placement, "終了")),
      form_(form),
      calc_(calc),
      display_(display),
      mark_(mark),
      mode_(unitPanelMode) {
    for (const Placement& at : CheckPlacements) {
        const auto category = categoryOfBox(at.number);
        // The other boxes are captioned from the rule rows before their first use.
        const std::string caption = category ? std::string(categoryRow(*category).caption)
                                             : "Check" + std::to_string(at.number);
        auto& checkBox = addPanelControl<platform::CheckBox>(form, "Check", at, caption);
        checkBox.setVisible(false);
        if (at.number != UnusedTargetBox) {
            checkBox.onClick = [this, n = at.number] { boxClicked(n); };
        }
        checks_[static_cast<std::size_t>(at.number)] = &checkBox;
    }
    for (const Placement& at : OptionPlacements) {
        auto& option = addPanelControl<platform::OptionButton>(
            form, "Option", at, "Option" + std::to_string(at.number));
        option.setVisible(false);
        option.onClick = [this, n = at.number] { sourceChosen(n); };
        options_[static_cast<std::size_t>(at.number)] = &option;
    }
    backButton.onClick = [this] { back(); };
    exitButton.onClick = [this] { exitProgram(); };
}

platform::CheckBox& UnitPanel::box(int number) const {
    return *checks_.at(static_cast<std::size_t>(number));
}

platform::OptionButton& UnitPanel::sourceSlot(int number) const {
    return *options_.at(static_cast<std::size_t>(number));
}

void UnitPanel::boxClicked(int number) {
    if (const auto category = categoryOfBox(number)) {
        categoryClick(*category);
    } else if (targetCell(number)) {
        targetClick(number);
    }
}

void UnitPanel::untickTargets() {
    for (int target : TargetBoxes) box(target).setValue(0);
    box(UnusedTargetBox).setValue(0);
}

void UnitPanel::categoryClick(Category category) {
    const int categoryBox = categoryRow(category).box;
    calc_.setDisplay("0.");
    sourceSlot(1).setValue(true);
    untickTargets();
    if (box(categoryBox).value() == 1) {
        for (const CategoryRow& other : Categories) {
            if (other.box != categoryBox) box(other.box).setValue(0);
        }
    }
    // Whether the box ended ticked or not, the panel shows its category.
    showSourceSlots(category);
    showTargets(category, 1);
}

void UnitPanel::sourceChosen(int number) {
    calc_.setDisplay("0.");
    if (number != 1 || mode_ == 1) display_.setFontSize(PanelDisplayFontSize);
    untickTargets();
    for (const CategoryRow& row : Categories) {
        if (box(row.box).value() == 1 && sourceSlot(number).value()) {
            showTargets(row.category, number);
        }
    }
}

void UnitPanel::showSourceSlots(Category category) {
    const auto rows = sourcesOf(category);
    for (int slot = 9; slot <= OptionCount; ++slot) {
        sourceSlot(slot).setVisible(slot <= static_cast<int>(rows.size()));
    }
    for (const SourceRow& row : rows)
        sourceSlot(row.slot).setCaption(std::string(unitRow(row.unit).caption));
}

void UnitPanel::showTargets(Category category, int slot) {
    for (int number : TargetBoxes) {
        const Target* target = rule(category, slot, number);
        // Check1 and Check2 carry a target for every source; the others show only their own.
        if (number != 1 && number != 2) box(number).setVisible(target != nullptr);
        if (target != nullptr) box(number).setCaption(std::string(captionOf(*target)));
    }
    box(UnusedTargetBox).setVisible(false);
}

}  // namespace vexlo::units
