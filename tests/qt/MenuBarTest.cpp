// The menu bar as built from the model: captions, separators, shortcut texts, ticks, and a
// choice reaching its handler.

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <functional>

#include "QtViewFixture.h"
#include "qt/MenuBarView.h"

namespace vexlo::qtview::testing {
namespace {

struct MenuTextRow {
    const char* caption;
    platform::Shortcut shortcut;
    const char* shown;
};

TEST(MenuTextTest, AccessKeysStayAndEveryOtherAmpersandIsShownAsItIs) {
    const MenuTextRow rows[] = {
        {"編集", {}, "編集"},
        {"オプション(&O)", {}, "オプション(&O)"},
        {"フォント選択(&F)...", {}, "フォント選択(&F)..."},
        {"(M)表示数値メモリーへ----【Ｚ】/【&】キー",
         {},
         "(M)表示数値メモリーへ----【Ｚ】/【&&】キー"},
        {"【＆】", {}, "【＆】"},  // the full-width ampersand is a plain character
        {"&", {}, "&&"},
        {"&1", {}, "&&1"},
        {"&&", {}, "&&&&"},
        {"&é", {}, "&&é"},
        {"a&b", {}, "a&b"},
        {"コピー(ｸﾘｯﾌﾟ･ﾎﾞｰﾄﾞﾍ)", {'C', true}, "コピー(ｸﾘｯﾌﾟ･ﾎﾞｰﾄﾞﾍ)\tCtrl+C"},
        {"目次", {platform::keys::F1, false}, "目次\tF1"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(menuText(row.caption, row.shortcut), QString::fromUtf8(row.shown)) << row.caption;
    }
}

class MenuBarTest : public ViewFixture {
  protected:
    QAction* action(const char* name, int index = -1) {
        const platform::MenuItem* item = main.form.findMenu(name, index);
        return item == nullptr ? nullptr : window.menus().actionFor(*item);
    }
};

TEST_F(MenuBarTest, TheTreeMirrorsTheModelsMenusItemByItem) {
    const QList<QAction*> top = window.menuBar()->actions();
    ASSERT_EQ(top.size(), static_cast<qsizetype>(main.form.menus().size()));

    int items = 0;
    std::function<void(const platform::MenuItem&, QAction&)> check =
        [&](const platform::MenuItem& item, QAction& shown) {
            ++items;
            SCOPED_TRACE(item.key());
            EXPECT_EQ(shown.objectName().toStdString(), item.key());
            EXPECT_EQ(shown.isSeparator(), item.isSeparator());
            if (!item.isSeparator()) {
                EXPECT_EQ(shown.text(), menuText(item.caption()));
            }
            EXPECT_EQ(shown.isChecked(), item.checked());
            EXPECT_EQ(shown.isEnabled(), item.enabled());
            // The accelerator is the key binding readers announce; it never fires by itself.
            EXPECT_EQ(shown.shortcut().toString().toStdString(), item.shortcut().text());
            if (!shown.shortcut().isEmpty()) {
                EXPECT_EQ(shown.shortcutContext(), Qt::WidgetShortcut);
            }
            QMenu* submenu = shown.menu();
            ASSERT_EQ(submenu != nullptr, !item.children().empty());
            if (submenu == nullptr) return;
            const QList<QAction*> children = submenu->actions();
            ASSERT_EQ(children.size(), static_cast<qsizetype>(item.children().size()));
            for (std::size_t i = 0; i < item.children().size(); ++i) {
                check(*item.children()[i], *children[static_cast<qsizetype>(i)]);
            }
        };
    for (std::size_t i = 0; i < main.form.menus().size(); ++i) {
        check(*main.form.menus()[i], *top[static_cast<qsizetype>(i)]);
    }
    int modelItems = 0;
    main.form.forEachMenuItem([&](platform::MenuItem&) { ++modelItems; });
    EXPECT_EQ(items, modelItems);
}

TEST_F(MenuBarTest, CaptionsSeparatorsAndShortcutTextsAsTheUserSeesThem) {
    EXPECT_EQ(action("Menu_File")->text(), QString::fromUtf8("編集"));
    EXPECT_EQ(
        action("All_Cancel")->text(),
        QString::fromUtf8("全入力取り消し・・・・・・・・・・・・・・・・・・【C】/【[】キー"));
    EXPECT_EQ(action("All_Cancel")->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
    EXPECT_EQ(action("SEI_WA")->text(),
              QString::fromUtf8("西暦→和暦変換・・・・・・・・・・・・・・・・・【Bs】/【:】キー"));
    EXPECT_EQ(action("SEI_WA")->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    EXPECT_EQ(action("All_Exit")->text(),
              QString::fromUtf8(
                  "終了・・・・・・・・・・・・・・・・・・・・・・・・・・【Esc】/【Tab】キー"));
    EXPECT_EQ(action("HHH", 0)->text(), QString::fromUtf8("目次"));
    EXPECT_EQ(action("HHH", 0)->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_TRUE(action("Kugiri")->isSeparator());
    EXPECT_TRUE(action("KUGIR2")->isSeparator());
    EXPECT_EQ(action("ColorSelect")->menu()->actions().size(), 5);
}

TEST_F(MenuBarTest, ChoicesAreExclusiveCheckableItemsWithOnlyTheTickedOneChecked) {
    const struct {
        const char* name;
        int ticked;
    } pairs[] = {{"TNN", 0}, {"KKK", 0}, {"SSS", 1}, {"TTT", 0}, {"JJJ", 0}, {"AAA", 0}};
    for (const auto& pair : pairs) {
        for (int i = 0; i < 2; ++i) {
            SCOPED_TRACE(std::string(pair.name) + std::to_string(i));
            EXPECT_EQ(action(pair.name, i)->isChecked(), i == pair.ticked);
            // Both are checkable, so readers say "not checked" of the other one.
            EXPECT_TRUE(action(pair.name, i)->isCheckable());
            ASSERT_NE(action(pair.name, i)->actionGroup(), nullptr);
            EXPECT_EQ(action(pair.name, i)->actionGroup(), action(pair.name, 0)->actionGroup());
        }
    }
    // A single item is no choice: unticked, it draws no empty box.
    EXPECT_FALSE(action("font2", 0)->isCheckable());
    EXPECT_EQ(action("HHH", 0)->actionGroup(), nullptr);
}

TEST_F(MenuBarTest, ModelChangesAreRenderedAgain) {
    main.form.findMenu("All_Cancel")->setCaption("Cancel&X&");
    main.form.findMenu("TTT", 1)->setChecked(true);
    main.form.findMenu("VER_FORM")->setEnabled(false);
    processEvents();
    EXPECT_EQ(action("All_Cancel")->text(), QStringLiteral("Cancel&X&&"));
    EXPECT_TRUE(action("TTT", 1)->isChecked());
    EXPECT_FALSE(action("VER_FORM")->isEnabled());
}

TEST_F(MenuBarTest, ChoosingAnItemRunsItsHandler) {
    type("12+3");
    action("All_Cancel")->trigger();
    EXPECT_EQ(main.calculator.display(), "0.");
    EXPECT_EQ(shownDisplay(), QStringLiteral("0."));
}

TEST_F(MenuBarTest, ChoosingTheTickedItemAgainKeepsItsTick) {
    action("SSS", 1)->trigger();  // Qt alone would untick a checked action
    EXPECT_TRUE(action("SSS", 1)->isChecked());
    EXPECT_FALSE(action("SSS", 0)->isChecked());
}

TEST_F(MenuBarTest, DefaultSizeChoiceMovesTheTickAndResizesTheWindow) {
    action("SSS", 0)->trigger();
    EXPECT_TRUE(action("SSS", 0)->isChecked());
    EXPECT_FALSE(action("SSS", 1)->isChecked());
    EXPECT_EQ(main.form.height(), 1800);
    EXPECT_EQ(main.form.width(), 7000);
    EXPECT_EQ(window.size(), window.modelClientSize());
}

TEST_F(MenuBarTest, ExitItemClosesTheWindow) {
    action("All_Exit")->trigger();
    EXPECT_TRUE(main.form.closed());
    EXPECT_FALSE(window.isVisible());
}

TEST_F(MenuBarTest, MenusHaveAccessibleNames) {
    EXPECT_FALSE(window.menuBar()->accessibleName().isEmpty());
    EXPECT_EQ(action("menu_option")->menu()->accessibleName(), QString::fromUtf8("オプション"));
}

}  // namespace
}  // namespace vexlo::qtview::testing
