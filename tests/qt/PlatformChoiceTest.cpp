// The platform the window asks for under each kind of session.

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "qt/PlatformChoice.h"

namespace vexlo::qtview {
namespace {

// Sets or clears one variable for the test's lifetime.
class Variable {
  public:
    Variable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~Variable() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }
    Variable(const Variable&) = delete;
    Variable& operator=(const Variable&) = delete;

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(PlatformChoice, WaylandSessionsRunNativelyWithX11AsTheFallback) {
    struct Row {
        const char* qpa;
        const char* display;
        const char* waylandDisplay;
        const char* session;
        const char* chosen;  // QT_QPA_PLATFORM afterwards
    };
    const Row rows[] = {
        {nullptr, ":0", "wayland-0", "wayland", "wayland;xcb"},
        {nullptr, nullptr, "wayland-0", "wayland", "wayland;xcb"},  // no XWayland
        {nullptr, ":0", "wayland-0", nullptr, "wayland;xcb"},       // no session type told
        {nullptr, ":0", nullptr, "wayland", nullptr},  // no compositor to reach: Qt's default
        {nullptr, ":0", nullptr, "x11", nullptr},
        {"", ":0", "wayland-0", "wayland", "wayland;xcb"},  // set but empty is no choice
        {"xcb", ":0", "wayland-0", "wayland", "xcb"},       // the user's own choice
        {"wayland", ":0", "wayland-0", "wayland", "wayland"},
    };
    for (const Row& row : rows) {
        Variable qpa("QT_QPA_PLATFORM", row.qpa);
        Variable display("DISPLAY", row.display);
        Variable wayland("WAYLAND_DISPLAY", row.waylandDisplay);
        Variable session("XDG_SESSION_TYPE", row.session);
        preferNativeWayland();
        const char* chosen = std::getenv("QT_QPA_PLATFORM");
        EXPECT_EQ(chosen ? std::string(chosen) : "<unset>", row.chosen ? row.chosen : "<unset>")
            << (row.qpa ? row.qpa : "-") << " " << (row.display ? row.display : "-") << " "
            << (row.waylandDisplay ? row.waylandDisplay : "-");
    }
}

}  // namespace
}  // namespace vexlo::qtview
