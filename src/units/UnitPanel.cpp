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

UnitPanel::UnitPanel(platform::Form& form, engine::Calculator& calc, int& unitPanelMode)
    : Command3(addPanelControl<platform::Button>(form, "Command", Command3Placement, "戻る")),
      Command4(addPanelControl<platform::Button>(form, "Command", Command4Placement, "終了")),
      form_(form),
      calc_(calc),
      mode_(unitPanelMode) {
    for (const Placement& at : CheckPlacements) {
        const auto category = categoryOfBox(at.number);
        // The other boxes are captioned from the rule rows before their first use.
        const std::string caption = category ? std::string(categoryRow(*category).caption)
                                             : "Check" + std::to_string(at.number);
        auto& box = addPanelControl<platform::CheckBox>(form, "Check", at, caption);
        box.setVisible(false);
        if (at.number != UnusedTargetBox) box.onClick = [this, n = at.number] { Check_Click(n); };
        checks_[static_cast<std::size_t>(at.number)] = &box;
    }
    for (const Placement& at : OptionPlacements) {
        auto& option = addPanelControl<platform::OptionButton>(
            form, "Option", at, "Option" + std::to_string(at.number));
        option.setVisible(false);
        option.onClick = [this, n = at.number] { Option_Click(n); };
        options_[static_cast<std::size_t>(at.number)] = &option;
    }
    Command3.onClick = [this] { Command3_Click(); };
    Command4.onClick = [this] { Command4_Click(); };

    // Digit entry and the C key untick every target box.
    for (int box : TargetBoxes) calc_.targetUnitBoxes.push_back(&Check(box));
    calc_.targetUnitBoxes.push_back(&Check(UnusedTargetBox));
}

platform::CheckBox& UnitPanel::Check(int number) const {
    return *checks_.at(static_cast<std::size_t>(number));
}

platform::OptionButton& UnitPanel::Option(int number) const {
    return *options_.at(static_cast<std::size_t>(number));
}

void UnitPanel::Check_Click(int number) {
    if (const auto category = categoryOfBox(number)) {
        categoryClick(*category);
    } else if (targetCell(number)) {
        targetClick(number);
    }
}

void UnitPanel::untickTargets() {
    for (int box : TargetBoxes) Check(box).setValue(0);
    Check(UnusedTargetBox).setValue(0);
}

void UnitPanel::categoryClick(Category category) {
    const int box = categoryRow(category).box;
    calc_.setDisplay("0.");
    Option(1).setValue(true);
    untickTargets();
    if (Check(box).value() == 1) {
        for (const CategoryRow& other : Categories) {
            if (other.box != box) Check(other.box).setValue(0);
        }
    }
    // Whether the box ended ticked or not, the panel shows its category.
    showSourceSlots(category);
    showTargets(category, 1);
}

void UnitPanel::Option_Click(int number) {
    calc_.setDisplay("0.");
    if (number != 1 || mode_ == 1) calc_.Readout.setFontSize(PanelDisplayFontSize);
    untickTargets();
    for (const CategoryRow& row : Categories) {
        if (Check(row.box).value() == 1 && Option(number).value()) {
            showTargets(row.category, number);
        }
    }
}

void UnitPanel::showSourceSlots(Category category) {
    const auto rows = sourcesOf(category);
    for (int slot = 9; slot <= OptionCount; ++slot) {
        Option(slot).setVisible(slot <= static_cast<int>(rows.size()));
    }
    for (const SourceRow& row : rows)
        Option(row.slot).setCaption(std::string(unitRow(row.unit).caption));
}

void UnitPanel::showTargets(Category category, int slot) {
    for (int box : TargetBoxes) {
        const Target* target = rule(category, slot, box);
        // Check1 and Check2 carry a target for every source; the others show only their own.
        if (box != 1 && box != 2) Check(box).setVisible(target != nullptr);
        if (target != nullptr) Check(box).setCaption(std::string(captionOf(*target)));
    }
    Check(UnusedTargetBox).setVisible(false);
}

}  // namespace vexlo::units
