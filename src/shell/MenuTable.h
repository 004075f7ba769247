#pragma once
// The main window's menu tree as data: the Qt menus, their accelerators, the language switch and
// the headless tool's {menu:NAME} are all built from this one table.

#include <array>
#include <cstddef>

#include "platform/MenuItem.h"

namespace vexlo::shell {

struct MenuRow {
    int level;  // 1 menu bar, 2 item of a menu, 3 item of a submenu
    const char* name;
    int index;  // -1 when the item is not part of an array
    platform::Shortcut shortcut;
    const char* design;          // Japanese captions at a Japanese start
    const char* japaneseSwitch;  // after choosing Japanese from the language menu
    const char* englishStartup;  // at an English start
    const char* englishSwitch;   // after choosing English from the language menu
};

inline constexpr std::size_t MenuRowCount = 52;
extern const std::array<MenuRow, MenuRowCount> MenuTable;

}  // namespace vexlo::shell
