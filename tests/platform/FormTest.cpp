#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/Form.h"

using namespace vexlo::platform;

namespace {

struct KeyLog {
    std::vector<std::string> events;
};

// A form whose key handlers, a menu item with Ctrl+A, Ctrl+Q and one for each of F1 to F12 record
// what reaches them. Items are also bound to the codes beside F1 to F12, which are no function
// keys. The key-down of Q closes the form, as Esc closes the calculator.
struct KeyForm {
    Form form{"Test"};
    KeyLog log;
    KeyForm() {
        auto& menu = form.addMenu("Menu", "Menu");
        menu.add("Accel", -1, "A", {'A', true}).onClick = [this] {
            log.events.push_back("menu A");
        };
        menu.add("Quit", -1, "Q", {'Q', true}).onClick = [this] { log.events.push_back("menu Q"); };
        menu.add("Help", 0, "Help", {keys::F1, false}).onClick = [this] {
            log.events.push_back("menu F1");
        };
        for (int code = keys::F1 + 1; code <= keys::F1 + 12; ++code) {
            menu.add("Key", code, "key", {code, false}).onClick = [this, code] {
                log.events.push_back("menu " + std::to_string(code));
            };
        }
        menu.add("Key", keys::F1 - 1, "key", {keys::F1 - 1, false}).onClick = [this] {
            log.events.push_back("menu 111");
        };
        auto& off = menu.add("Off", -1, "Off", {'B', true});
        off.onClick = [this] { log.events.push_back("menu B"); };
        off.setEnabled(false);
        form.onKeyDown = [this](int code, int shift) {
            log.events.push_back("down " + std::to_string(code) + "/" + std::to_string(shift));
            if (code == 'Q') form.close();
        };
        form.onKeyPress = [this](char32_t& c) {
            log.events.push_back("press " + std::to_string(static_cast<int>(c)));
            c = 0;
        };
    }
};

}  // namespace

TEST(FormKeys, KeyDownThenAcceleratorOrCharacter) {
    struct Row {
        KeyStroke key;
        std::vector<std::string> expected;
    };
    const Row rows[] = {
        {{'5', 0, U'5'}, {"down 53/0", "press 53"}},
        // An accelerator runs its menu item and types nothing.
        {{'A', modifiers::Ctrl, 1}, {"down 65/2", "menu A"}},
        {{keys::F1, 0, 0}, {"down 112/0", "menu F1"}},
        {{keys::F12, 0, 0}, {"down 123/0", "menu 123"}},
        // The codes beside F1 to F12 are no function keys: their character follows.
        {{keys::F12 + 1, 0, U'|'}, {"down 124/0", "press 124"}},
        {{keys::F1 - 1, 0, U'o'}, {"down 111/0", "press 111"}},
        // A form closed by its key-down takes neither the character nor the accelerator.
        {{'Q', 0, U'q'}, {"down 81/0"}},
        {{'Q', modifiers::Ctrl, 17}, {"down 81/2"}},
        // A Ctrl combination that is no accelerator delivers its control character.
        {{'M', modifiers::Ctrl, 13}, {"down 77/2", "press 13"}},
        // A disabled item's accelerator does nothing, and the key is still taken by the menu.
        {{'B', modifiers::Ctrl, 2}, {"down 66/2"}},
        // Without Ctrl, the letter of an accelerator is an ordinary key.
        {{'A', 0, U'a'}, {"down 65/0", "press 97"}},
        {{0, 0, 0}, {"down 0/0"}},
    };
    for (const auto& row : rows) {
        KeyForm f;
        f.form.pressKey(row.key);
        EXPECT_EQ(f.log.events, row.expected) << "key code " << row.key.keyCode;
    }
}

TEST(FormKeys, EveryFunctionKeyIsAnAcceleratorWithoutCtrl) {
    for (int n = 2; n <= 12; ++n) {
        const int code = keys::F1 + n - 1;
        KeyForm f;
        f.form.pressKey({code, 0, 0});
        EXPECT_EQ(f.log.events, (std::vector<std::string>{"down " + std::to_string(code) + "/0",
                                                          "menu " + std::to_string(code)}))
            << "F" << n;
        EXPECT_EQ((Shortcut{code, false}.text()), "F" + std::to_string(n));
        EXPECT_TRUE(keys::isFunctionKey(code)) << "F" << n;
    }
    EXPECT_FALSE(keys::isFunctionKey(keys::F1 - 1));
    EXPECT_FALSE(keys::isFunctionKey(keys::F12 + 1));
    EXPECT_EQ((Shortcut{keys::F12 + 1, false}.text()), "|");
}

TEST(FormKeys, ClosedFormTakesNoKeysAndUnloadsOnce) {
    KeyForm f;
    int unloads = 0;
    f.form.onUnload = [&] { ++unloads; };
    f.form.close();
    f.form.close();
    f.form.pressKey({'5', 0, U'5'});
    EXPECT_EQ(unloads, 1);
    EXPECT_TRUE(f.log.events.empty());
    EXPECT_TRUE(f.form.closed());
}

TEST(RaisingRule, SettingAStateRunsTheHandlerOnlyWhenItChanges) {
    Form form("Test");
    auto& box = form.add<CheckBox>("Check1");
    auto& text = form.add<TextBox>("Text1");
    auto& button = form.add<Button>("Command1");
    int boxClicks = 0, textChanges = 0, presses = 0;
    box.onClick = [&] { ++boxClicks; };
    text.onChange = [&] { ++textChanges; };
    button.onClick = [&] { ++presses; };

    box.setValue(0);
    box.setValue(1);
    box.setValue(1);
    box.setValue(0);
    text.setText("");
    text.setText("M");
    text.setText("M");
    button.press();
    button.setVisible(false);
    button.click();  // a hidden button cannot be clicked by a user
    button.press();  // but code can still press it

    EXPECT_EQ(boxClicks, 2);
    EXPECT_EQ(textChanges, 1);
    EXPECT_EQ(presses, 2);
}

// A user's click reaches only a visible, enabled button, check box or option button.
TEST(UserClick, ReachesOnlyVisibleEnabledControls) {
    const struct {
        bool visible;
        bool enabled;
        int clicks;
    } rows[] = {{true, true, 1}, {true, false, 0}, {false, true, 0}, {false, false, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.visible ? "visible" : "hidden") +
                     (row.enabled ? " enabled" : " disabled"));
        Form form("Test");
        auto& button = form.add<Button>("Command1");
        auto& box = form.add<CheckBox>("Check1");
        auto& option = form.add<OptionButton>("Option1");
        int presses = 0, boxClicks = 0, optionClicks = 0;
        button.onClick = [&] { ++presses; };
        box.onClick = [&] { ++boxClicks; };
        option.onClick = [&] { ++optionClicks; };
        for (Control* control : std::initializer_list<Control*>{&button, &box, &option}) {
            control->setVisible(row.visible);
            control->setEnabled(row.enabled);
            EXPECT_TRUE(clickable(*control));
        }
        button.click();
        box.click();
        option.click();
        EXPECT_EQ(presses, row.clicks);
        EXPECT_EQ(boxClicks, row.clicks);
        EXPECT_EQ(box.value(), row.clicks);
        EXPECT_EQ(optionClicks, row.clicks);
        EXPECT_EQ(option.value(), row.clicks == 1);
        // Code still sets a disabled or hidden box, and its handler runs.
        box.setValue(1 - box.value());
        EXPECT_EQ(boxClicks, row.clicks + 1);
    }
}

TEST(RaisingRule, HandlersNestAndSeeTheNewState) {
    Form form("Test");
    auto& first = form.add<CheckBox>("Check1");
    auto& second = form.add<CheckBox>("Check2");
    std::vector<std::string> order;
    first.onClick = [&] {
        order.push_back("first " + std::to_string(first.value()));
        second.setValue(1);
        order.push_back("first done");
    };
    second.onClick = [&] { order.push_back("second " + std::to_string(second.value())); };
    first.click();
    EXPECT_EQ(order, (std::vector<std::string>{"first 1", "second 1", "first done"}));
}

TEST(RaisingRule, OptionButtonsFormOneGroupPerForm) {
    Form form("Test");
    auto& a = form.add<OptionButton>("Option1");
    auto& b = form.add<OptionButton>("Option2");
    int aClicks = 0, bClicks = 0;
    a.onClick = [&] { ++aClicks; };
    b.onClick = [&] { ++bClicks; };
    a.setValue(true);
    b.click();
    b.setValue(true);  // the program choosing the chosen one again runs nothing
    EXPECT_FALSE(a.value());
    EXPECT_TRUE(b.value());
    EXPECT_EQ(aClicks, 1);
    EXPECT_EQ(bClicks, 1);
    b.click();  // a user's click on it runs its handler, and it stays chosen
    EXPECT_TRUE(b.value());
    EXPECT_EQ(bClicks, 2);
    EXPECT_EQ(aClicks, 1);
}

TEST(RaisingRule, ResizeRunsNestedAndAUserDragRunsOnce) {
    Form form("Test");
    std::vector<int> seen;
    form.onResize = [&] {
        seen.push_back(form.height());
        if (form.height() < 100) form.setHeight(100);  // nested, like the layout rules
    };
    form.setHeight(50);
    EXPECT_EQ(seen, (std::vector<int>{50, 100}));
    EXPECT_EQ(form.height(), 100);

    seen.clear();
    form.resizeByUser(200, 300);
    EXPECT_EQ(seen, (std::vector<int>{200}));
    EXPECT_EQ(form.width(), 300);

    seen.clear();
    form.setHeight(200);  // unchanged: no event
    EXPECT_TRUE(seen.empty());
}

TEST(Observers, LearnWhichControlChanged) {
    Form form("Test");
    auto& label = form.add<Label>("Readout");
    std::vector<const Control*> changes;
    form.subscribe([&](const Control* c) { changes.push_back(c); });
    label.setCaption("1.");
    label.setCaption("1.");
    form.setCaption("X");
    form.addMenu("M", "m").setChecked(true);
    EXPECT_EQ(changes, (std::vector<const Control*>{&label, nullptr, nullptr}));
}

TEST(Menus, FoundByNameIndexAndAccelerator) {
    KeyForm f;
    EXPECT_NE(f.form.findMenu("Help", 0), nullptr);
    EXPECT_EQ(f.form.findMenu("Help"), nullptr);
    EXPECT_EQ(f.form.findAccelerator({'A', true})->name(), "Accel");
    EXPECT_EQ(f.form.findAccelerator({'A', false}), nullptr);
    EXPECT_EQ(f.form.findMenu("Help", 0)->key(), "Help(0)");
    EXPECT_EQ((Shortcut{'A', true}.text()), "Ctrl+A");
    EXPECT_EQ((Shortcut{keys::F1, false}.text()), "F1");
}

TEST(Menus, FindsTheFirstItemDepthFirstAndItemsAddedAfterALookUp) {
    Form form("Test");
    MenuItem& first = form.addMenu("A", "a");
    MenuItem& nested = first.add("Same", 1, "nested", {});
    EXPECT_EQ(form.findMenu("Same", 1), &nested);
    MenuItem& later = form.addMenu("B", "b").add("Same", 1, "later", {});
    MenuItem& added = first.add("New", -1, "new", {});
    EXPECT_EQ(form.findMenu("Same", 1), &nested);
    EXPECT_EQ(form.findMenu("New"), &added);
    EXPECT_NE(&later, &nested);
}
