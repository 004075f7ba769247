// The colour dialog, the font, help and version windows and the popup in the real window, wired
// to the model; and what screen readers find on the display and the menus.

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyleOptionButton>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "QtViewFixture.h"
#include "qt/AboutView.h"
#include "qt/FittedLabel.h"
#include "qt/FontWindowView.h"
#include "qt/MenuBarView.h"

namespace vexlo::qtview::testing {
namespace {

// Runs `inside` once the next modal dialog or popup has opened (its own loop is running).
void whenOpen(std::function<void(QWidget&)> inside) {
    QTimer::singleShot(0, [inside] {
        QWidget* open = QApplication::activePopupWidget();
        if (open == nullptr) open = QApplication::activeModalWidget();
        ASSERT_NE(open, nullptr);
        inside(*open);
    });
}

class SecondaryWindowsTest : public ViewFixture {
  protected:
    void choose(const char* name, int index = -1) {
        window.menus().actionFor(*main.form.findMenu(name, index))->trigger();
        processEvents();
    }
    std::string stored(const char* key) { return profile.read("VEXLO", key).value_or("<none>"); }
};

TEST_F(SecondaryWindowsTest, ColourDialogOpensOnTheColourAndAppliesTheChoice) {
    QColor opened;
    whenOpen([&](QWidget& open) {
        auto& dialog = dynamic_cast<QColorDialog&>(open);
        opened = dialog.currentColor();
        dialog.setCurrentColor(QColor(0, 0, 255));
        dialog.accept();
    });
    choose("MMM", 0);
    EXPECT_EQ(opened, QColor(0, 255, 0));
    EXPECT_EQ(main.controls.display.backColour(), 0xFF0000u);
    EXPECT_EQ(stored("MColor"), "16711680");
    EXPECT_EQ(window.labelFor(main.controls.display)->palette().color(QPalette::Window),
              QColor(0, 0, 255));

    whenOpen([](QWidget& open) { dynamic_cast<QColorDialog&>(open).reject(); });
    choose("LLL", 1);
    EXPECT_EQ(stored("LColor"), "4210752");  // cancelled: the colour it opened on
}

// Qt's own texts follow the menus' language from the switch on.
TEST_F(SecondaryWindowsTest, ColourDialogSpeaksTheMenusLanguage) {
    const struct {
        int language;  // JJJ index: 0 Japanese, 1 English
        const char* title;
        const char* cancel;
    } rows[] = {
        {0, "色を選択", "キャンセル"},
        {1, "Select Color", "Cancel"},
        {0, "色を選択", "キャンセル"},
    };
    for (const auto& row : rows) {
        choose("JJJ", row.language);
        QString title;
        QStringList buttons;
        whenOpen([&](QWidget& open) {
            title = open.windowTitle();
            for (const QPushButton* button : open.findChildren<QPushButton*>())
                buttons << button->text().remove(QLatin1Char('&'));
            dynamic_cast<QColorDialog&>(open).reject();
        });
        choose("MMM", 0);
        EXPECT_EQ(title, QString::fromUtf8(row.title)) << row.language;
        EXPECT_TRUE(buttons.contains(QString::fromUtf8(row.cancel)))
            << row.language << ": " << buttons.join(QLatin1Char('|')).toStdString();
    }
}

TEST_F(SecondaryWindowsTest, FontWindowIsMadeWhenFirstShownAndDrivesTheDisplay) {
    EXPECT_EQ(windows.viewOf(main.fontWindow), nullptr);  // nothing built at start-up
    choose("font2", 0);
    auto* view = dynamic_cast<FontWindowView*>(windows.viewOf(main.fontWindow));
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    EXPECT_FALSE(pointer.busy());
    const auto& items = main.fontWindow.find<platform::ListBox>("Lstfontname")->items();
    ASSERT_FALSE(items.empty());
    EXPECT_EQ(view->list().count(), static_cast<int>(items.size()));
    EXPECT_EQ(main.controls.display.fontName(), "System");  // showing the list selects nothing

    view->list().setCurrentRow(0);
    processEvents();
    EXPECT_EQ(main.controls.display.fontName(), items[0]);
    EXPECT_EQ(view->nameLabel().text().toStdString(), items[0]);
    view->okButton().click();
    processEvents();
    EXPECT_EQ(stored("FontDef"), items[0]);
    EXPECT_FALSE(view->isVisible());
}

TEST_F(SecondaryWindowsTest, HelpIsOneWindowBroughtForward) {
    sendKey(Qt::Key_F1);
    processEvents();
    QWidget* help = windows.viewOf(main.helpForm);
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    help->close();
    EXPECT_FALSE(main.helpForm.visible());
    choose("HHH", 0);
    EXPECT_EQ(windows.viewOf(main.helpForm), help);
    EXPECT_TRUE(help->isVisible());
    int helpWindows = 0;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        helpWindows += top->objectName() == QLatin1String("Help_Form") ? 1 : 0;
    }
    EXPECT_EQ(helpWindows, 1);
}

TEST_F(SecondaryWindowsTest, HelpStaysWithinTheAvailableAreaOfItsScreen) {
    // Its design size is 600 by 800 pixels at 96 DPI: with its frame, taller than the test's
    // screen (as on a 1280 by 800 one).
    ASSERT_LE(QGuiApplication::primaryScreen()->availableGeometry().height(), 800);
    sendKey(Qt::Key_F1);
    processEvents();
    QWidget* help = windows.viewOf(main.helpForm);
    ASSERT_NE(help, nullptr);
    const QRect available = help->screen()->availableGeometry();
    EXPECT_TRUE(available.contains(help->frameGeometry()))
        << help->frameGeometry().y() << " " << help->frameGeometry().height();
    EXPECT_EQ(help->width(), 600) << "a side that fits keeps its design size";
}

// Tab goes through the headings and paragraphs, each read as text, and the page scrolls to
// the one that has the focus.
TEST_F(SecondaryWindowsTest, HelpTextIsReachedByKeyboard) {
    sendKey(Qt::Key_F1);
    processEvents();
    QWidget* help = windows.viewOf(main.helpForm);
    ASSERT_NE(help, nullptr);
    help->activateWindow();
    processEvents();
    auto* scroll = help->findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    QList<QLabel*> texts = scroll->widget()->findChildren<QLabel*>();
    ASSERT_GT(texts.size(), 3);
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr) << "the help window gives a text the focus";
    EXPECT_EQ(focused, texts.front());
    for (qsizetype i = 1; i < texts.size(); ++i) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(QApplication::focusWidget(), &tab);
        processEvents();
        EXPECT_EQ(QApplication::focusWidget(), texts[i]) << i;
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(texts[i]);
        EXPECT_EQ(read->text(QAccessible::Name), texts[i]->text()) << i;
    }
    QLabel* last = texts.back();
    const QPoint top = last->mapTo(scroll->viewport(), QPoint(0, 0));
    EXPECT_GE(top.y(), 0);
    EXPECT_LE(top.y() + last->height(), scroll->viewport()->height()) << "the last text is shown";

    // Named for readers in the menus' language, from the switch on.
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(help);
    const struct {
        int language;
        QString name;
    } rows[] = {
        {1, QStringLiteral("Vexlo help")},
        {0, QString::fromStdString(main.helpForm.caption())},
    };
    EXPECT_EQ(window->text(QAccessible::Name), rows[1].name);
    for (const auto& row : rows) {
        choose("JJJ", row.language);
        EXPECT_EQ(window->text(QAccessible::Name), row.name) << row.language;
    }
    help->close();
}

TEST_F(SecondaryWindowsTest, VersionWindowIsModalAndCentred) {
    QRect frame;
    bool modal = false;
    whenOpen([&](QWidget& open) {
        auto& about = dynamic_cast<AboutView&>(open);
        modal = about.isModal();
        frame = about.frameGeometry();
        about.okButton().click();
    });
    choose("VER_FORM");
    EXPECT_TRUE(modal);
    const QPoint centre = QApplication::primaryScreen()->geometry().center();
    EXPECT_LE(std::abs(frame.center().x() - centre.x()), 8) << frame.center().x();
    EXPECT_LE(std::abs(frame.center().y() - centre.y()), 16) << frame.center().y();
    EXPECT_FALSE(main.aboutForm.visible());
}

// What of a window's labels and buttons is cut off: a text that does not fit the part of its
// widget the style draws text in. The display sizes its digits itself and is left out.
std::vector<std::string> clipped(const QWidget& top) {
    std::vector<std::string> found;
    for (const QWidget* widget : top.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&top) || qobject_cast<const FittedLabel*>(widget) != nullptr)
            continue;
        QString text;
        QRect room;
        int flags = Qt::TextShowMnemonic;
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            text = label->text();
            room = label->contentsRect().marginsRemoved(
                QMargins(label->margin(), label->margin(), label->margin(), label->margin()));
            if (label->wordWrap()) flags |= Qt::TextWordWrap;
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            text = button->text();
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = text;
            const auto element =
                qobject_cast<const QCheckBox*>(widget)      ? QStyle::SE_CheckBoxContents
                : qobject_cast<const QRadioButton*>(widget) ? QStyle::SE_RadioButtonContents
                                                            : QStyle::SE_PushButtonContents;
            room = widget->style()->subElementRect(element, &option, widget);
        } else {
            continue;
        }
        if (text.isEmpty()) continue;
        const QFontMetrics metrics = widget->fontMetrics();
        QRect inked = metrics.boundingRect(QRect(0, 0, room.width(), QWIDGETSIZE_MAX), flags, text);
        if (!(flags & Qt::TextWordWrap)) {
            // One line centred in its room: what must stay in the widget is its ink, which a
            // line's leading and descent may overhang.
            const int baseline =
                room.top() + (room.height() - metrics.height()) / 2 + metrics.ascent();
            const QRect ink = metrics.tightBoundingRect(text).translated(0, baseline);
            inked.setHeight(ink.top() < 0 || ink.bottom() >= widget->height() ? QWIDGETSIZE_MAX
                                                                              : 0);
        }
        if (inked.width() > room.width() || inked.height() > room.height()) {
            found.push_back(text.toStdString() + ": " + std::to_string(inked.width()) + "x" +
                            std::to_string(metrics.height()) + " in " +
                            std::to_string(room.width()) + "x" + std::to_string(room.height()));
        }
    }
    return found;
}

// Every item of a menu, and its shortcut, fits the item's place; the menu fits the screen.
std::vector<std::string> clippedItems(QMenu& menu) {
    std::vector<std::string> found;
    menu.ensurePolished();
    const QRect screen = menu.screen()->availableGeometry();
    // A menu taller than the screen takes more columns; one wider has nowhere to go.
    if (menu.sizeHint().width() > screen.width())
        found.push_back(menu.title().toStdString() + " is " +
                        std::to_string(menu.sizeHint().width()) + " wide on a screen of " +
                        std::to_string(screen.width()));
    for (QAction* action : menu.actions()) {
        if (!action->isVisible() || action->isSeparator()) continue;
        const QRect place = menu.actionGeometry(action);
        const QString shortcut = action->shortcut().toString(QKeySequence::NativeText);
        const int needed = menu.fontMetrics().horizontalAdvance(action->text()) +
                           menu.fontMetrics().horizontalAdvance(shortcut);
        if (needed > place.width() || menu.fontMetrics().height() > place.height())
            found.push_back(action->text().toStdString() + " " + std::to_string(place.width()));
        if (action->menu() != nullptr) {
            const auto inner = clippedItems(*action->menu());
            found.insert(found.end(), inner.begin(), inner.end());
        }
    }
    return found;
}

// At the style's font and at a 20-point system font, at whatever scale the screen has (the
// test runs again on a 200 % screen): the menu bar shows all its menus without the overflow
// button, and no menu item, unit panel control or dialog text is cut off.
TEST_F(SecondaryWindowsTest, NothingIsClippedAtALargeSystemFont) {
    // A menu taller than the screen takes a second column; on the offscreen platform's own
    // 800 by 600 screen that is wider than the screen (ctest runs this on 1280 by 800).
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    if (screen.width() < 1280 || screen.height() < 800)
        GTEST_SKIP() << "needs a screen of 1280 by 800 or more";
    const QFont style = QApplication::font();
    for (const int points : {0, 20}) {
        SCOPED_TRACE(points);
        QFont font = style;
        if (points != 0) font.setPointSize(points);
        QApplication::setFont(font);
        processEvents();
        for (const bool panel : {false, true}) {
            SCOPED_TRACE(panel ? "unit panel" : "calculator");
            choose("TNN", panel ? 1 : 0);
            QMenuBar* bar = window.menuBar();
            for (QAction* menu : bar->actions()) {
                EXPECT_TRUE(bar->rect().contains(bar->actionGeometry(menu)))
                    << menu->text().toStdString() << " " << bar->actionGeometry(menu).right()
                    << " in " << bar->width();
                EXPECT_EQ(clippedItems(*menu->menu()), std::vector<std::string>{});
            }
            const auto* overflow =
                bar->findChild<QWidget*>(QStringLiteral("qt_menubar_ext_button"));
            EXPECT_TRUE(overflow == nullptr || !overflow->isVisibleTo(bar)) << "the » button";
            EXPECT_EQ(clipped(window), std::vector<std::string>{});
        }
        choose("font2", 0);
        QWidget* fontWindow = windows.viewOf(main.fontWindow);
        ASSERT_NE(fontWindow, nullptr);
        EXPECT_EQ(clipped(*fontWindow), std::vector<std::string>{});
        fontWindow->close();
        type(QStringLiteral("1+2="));
        choose("Tape");
        QWidget* tapeWindow = windows.viewOf(main.tapeWindow);
        ASSERT_NE(tapeWindow, nullptr);
        EXPECT_EQ(clipped(*tapeWindow), std::vector<std::string>{});
        for (const QAction* menu : tapeWindow->findChild<QMenuBar*>()->actions())
            EXPECT_EQ(clippedItems(*menu->menu()), std::vector<std::string>{});
        const auto* lines = tapeWindow->findChild<QListView*>();
        ASSERT_GT(lines->model()->rowCount(), 0);
        EXPECT_GE(lines->sizeHintForRow(0), QFontMetrics(lines->font()).height()) << "a line";
        main.closeTape();
        std::vector<std::string> about{"not shown"};
        whenOpen([&](QWidget& open) {
            about = clipped(open);
            dynamic_cast<AboutView&>(open).okButton().click();
        });
        choose("VER_FORM");
        EXPECT_EQ(about, std::vector<std::string>{});
    }
    QApplication::setFont(style);
    processEvents();
}

// The main window on a screen of the given twips per pixel.
struct DpiScreen : platform::Screen {
    explicit DpiScreen(double tpp) : tpp(tpp) {}
    double twipsPerPixelX() const override { return tpp; }
    double twipsPerPixelY() const override { return tpp; }
    platform::Twips width() const override { return static_cast<platform::Twips>(800 * tpp); }
    platform::Twips height() const override { return static_cast<platform::Twips>(600 * tpp); }
    double tpp;
};

TEST_F(SecondaryWindowsTest, PopupOpensAtTheOuterCornerAt96And192Dpi) {
    for (const double tpp : {15.0, 7.5}) {
        DpiScreen atDpi(tpp);
        QtPopupMenu popupAtDpi;
        platform::Services dpiServices{messages, clipboard, keys,    profile,    windowOrder, atDpi,
                                       colours,  fonts,     pointer, popupAtDpi, windows};
        shell::MainWindow calculator(dpiServices);
        CalculatorView view(calculator);
        popupAtDpi.window = &view.window();
        calculator.startUp();
        calculator.form.move(750, 375);

        QPoint shownAt;
        whenOpen([&](QWidget& open) {
            shownAt = open.pos();
            open.close();
        });
        calculator.windowMouseDown(2, 0);
        EXPECT_EQ(shownAt, QPoint(static_cast<int>(750 / tpp), static_cast<int>(375 / tpp)));
    }
}

TEST_F(SecondaryWindowsTest, RightPressOnTheDisplayOpensTheEditMenuAndRunsTheChoice) {
    type("12");
    main.form.move(1500, 750);
    processEvents();
    QLabel* display = window.labelFor(main.controls.display);
    whenOpen([&](QWidget& open) {
        EXPECT_EQ(open.pos(), QPoint(100, 50));
        auto* menu = qobject_cast<QMenu*>(&open);
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions()) {
            if (action->objectName() == QLatin1String("Menu_Copy")) action->trigger();
        }
        menu->close();
    });
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), display->mapToGlobal(QPointF(5, 5)),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(display, &press);
    processEvents();
    EXPECT_EQ(clipboard.text(), "12.");

    // On the window's own area, away from the display, the same popup at the same corner.
    QPoint shownAt;
    whenOpen([&](QWidget& open) {
        shownAt = open.pos();
        open.close();
    });
    QWidget* client = window.centralWidget();
    const QPointF below(2, client->height() - 2);
    QMouseEvent onWindow(QEvent::MouseButtonPress, below, client->mapToGlobal(below),
                         Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(client, &onWindow);
    EXPECT_EQ(shownAt, QPoint(100, 50));
}

TEST_F(SecondaryWindowsTest, DisplayIsReadAsTextNamedInTheMenusLanguage) {
    QLabel* display = window.labelFor(main.controls.display);
    QAccessibleInterface* readout = QAccessible::queryAccessibleInterface(display);
    ASSERT_NE(readout, nullptr);
    ASSERT_NE(readout->textInterface(), nullptr);
    EXPECT_EQ(readout->text(QAccessible::Name), QString::fromUtf8("表示"));
    EXPECT_EQ(readout->textInterface()->text(0, readout->textInterface()->characterCount()),
              QStringLiteral("0."));

    // Each result is said once on the focused display; typed digits are left to the key echo.
    EXPECT_TRUE(display->hasFocus());
    std::vector<QString> said;
    view.accessibility().announced = [&](const QWidget& on, const QString& text) {
        EXPECT_EQ(&on, display);
        said.push_back(text);
    };
    const struct {
        const char* keys;
        std::vector<QString> said;
    } rows[] = {
        {"45", {}},
        {"*", {QString::fromUtf8("45 ×")}},
        {"3.", {}},
        {"\r", {QStringLiteral("135")}},
        {"c", {QStringLiteral("0")}},
        {"2.5+", {QString::fromUtf8("2.5 ＋")}},
        {"=", {QStringLiteral("2.5")}},
    };
    for (const auto& row : rows) {
        said.clear();
        for (const char* c = row.keys; *c != 0; ++c) {
            if (*c == '\r') {
                sendKey(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
            } else {
                type(QString(QChar(*c)));
            }
            processEvents();
        }
        EXPECT_EQ(said, row.said) << row.keys;
    }
    EXPECT_TRUE(display->accessibleDescription().isEmpty()) << "no stale value is left";
    // Said by a move of the focus to the speaker named by the value; typing renames it.
    ASSERT_EQ(readout->childCount(), 2);
    auto focusedSpeaker = [&]() -> QAccessibleInterface* {
        QAccessibleInterface* found = nullptr;
        for (int i = 0; i < readout->childCount(); ++i)
            if (readout->child(i)->state().focused) found = found ? nullptr : readout->child(i);
        return found;
    };
    ASSERT_NE(focusedSpeaker(), nullptr) << "exactly one speaker has the focus";
    EXPECT_EQ(focusedSpeaker()->text(QAccessible::Name), QStringLiteral("2.5"));
    QAccessibleInterface* before = focusedSpeaker();
    type(QStringLiteral("*"));
    processEvents();
    ASSERT_NE(focusedSpeaker(), nullptr);
    EXPECT_NE(focusedSpeaker(), before) << "the focus moves to the other speaker";
    EXPECT_TRUE(before->rect().isEmpty()) << "the silent speaker has no place to be reviewed";
    type(QStringLiteral("4"));
    processEvents();
    EXPECT_EQ(focusedSpeaker()->text(QAccessible::Name), QStringLiteral("4 ×"));

    choose("JJJ", 1);
    EXPECT_EQ(readout->text(QAccessible::Name), QStringLiteral("Display"));
    QAccessibleInterface* mark =
        QAccessible::queryAccessibleInterface(window.labelFor(main.controls.mark));
    EXPECT_EQ(mark->text(QAccessible::Name), QStringLiteral("Mark"));
}

TEST_F(SecondaryWindowsTest, MenuItemsAreNamedByCaptionWithTheirKeyBinding) {
    QMenu* edit = window.menus().actionFor(*main.form.findMenu("Menu_File"))->menu();
    QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(edit);
    ASSERT_NE(menu, nullptr);
    auto itemFor = [&](QAction* action) -> QAccessibleInterface* {
        for (int i = 0; i < menu->childCount(); ++i)
            if (menu->child(i)->object() == action) return menu->child(i);
        return nullptr;
    };
    // The filler and the key hint leave the name; the hint joins the accelerator, which the
    // AT-SPI bridge gives as the item's key binding. The caption shown stays whole.
    const struct {
        int language;  // JJJ index chosen first, or -1: the captions of the start
        const char* item;
        const char* name;
        const char* keys;
    } rows[] = {
        {-1, "Syohi_Zei", "消費税込み価格計算(＋10％)", "Ctrl+K"},
        {-1, "All_Cancel", "全入力取り消し", "Ctrl+A 【C】/【[】キー"},
        {-1, "Text_Cancel", "入力表示数値削除", "Ctrl+B 【@)】キー"},
        {-1, "Menu_Copy", "コピー(ｸﾘｯﾌﾟ･ﾎﾞｰﾄﾞﾍ)", "Ctrl+C"},
        {-1, "All_Exit", "終了", "【Esc】/【Tab】キー"},
        {1, "All_Cancel", "Cancell Calculation", "Ctrl+A 【Ｃ】/【[】Key"},
        {0, "All_Cancel", "計算取り消し", "Ctrl+A 【C】/【[】キー"},
    };
    for (const auto& row : rows) {
        if (row.language >= 0) choose("JJJ", row.language);
        const platform::MenuItem* model = main.form.findMenu(row.item);
        QAction* action = window.menus().actionFor(*model);
        QAccessibleInterface* item = itemFor(action);
        ASSERT_NE(item, nullptr) << row.item;
        EXPECT_EQ(item->text(QAccessible::Name), QString::fromUtf8(row.name)) << row.item;
        EXPECT_EQ(item->text(QAccessible::Accelerator), QString::fromUtf8(row.keys)) << row.item;
        EXPECT_EQ(action->text(), QString::fromStdString(model->caption())) << row.item;
        EXPECT_EQ(item->role(), QAccessible::MenuItem);
        ASSERT_NE(item->actionInterface(), nullptr);
        EXPECT_EQ(item->actionInterface()->keyBindingsForAction(
                      QAccessibleActionInterface::pressAction()),
                  QStringList{QString::fromUtf8(row.keys)});
    }
}

}  // namespace
}  // namespace vexlo::qtview::testing
