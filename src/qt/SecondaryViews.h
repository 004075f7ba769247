#pragma once
// The views of the main window's secondary windows: the font window, help and version. Each
// follows its model form (shown, hidden, placed, captions) and sends the user's doing back.

#include <QWidget>

#include "qt/WindowHost.h"
#include "qt/WindowMetrics.h"
#include "shell/MainWindow.h"

namespace vexlo::qtview {

// The factory for QtWindowHost: the view of `form`, a window of its own over `owner`.
QtWindowHost::ViewFactory secondaryViews(shell::MainWindow& main, QWidget& owner);

// Names a secondary window for screen readers in the menus' language: its caption in Japanese
// (the captions are Japanese only), an English name in English.
void nameForReaders(QWidget& view, const platform::Form& form, const shell::MainWindow& main);

// Twips per pixel of the screen the widget is on (the primary screen before it is shown).
PixelScale scaleOf(const QWidget& widget);

// Sizes a window to `wanted`, or smaller where its frame would not fit the available area of
// the screen `near` is on (the task bar and panels left out); the dialog's own placement then
// keeps it on that screen.
void fitToAvailableArea(QWidget& view, QSize wanted, const QWidget* near);

// Keeps a view's visibility (and, with `position`, its place) with its form: the model places
// and shows, a user's move goes back to the model.
void placeFromModel(QWidget& view, const platform::Form& form, bool position = true);
void movedByUser(const QWidget& view, platform::Form& form);

}  // namespace vexlo::qtview
