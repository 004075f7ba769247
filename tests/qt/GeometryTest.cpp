// The model's outer size in twips against the real window: the mapping itself, the display in
// view at every size class, a user's resize snapping to the classes, position, and order.

#include <QAbstractButton>
#include <QAccessible>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QWindow>
#include <cstdlib>

#include "QtViewFixture.h"
#include "qt/FittedLabel.h"
#include "qt/WindowMetrics.h"

namespace vexlo::qtview::testing {
namespace {

TEST(PixelScaleTest, TwipsPerPixelFollowTheLogicalDpi) {
    EXPECT_DOUBLE_EQ(PixelScale::fromDpi(96, 96).x, 15);
    EXPECT_DOUBLE_EQ(PixelScale::fromDpi(192, 144).x, 7.5);
    EXPECT_DOUBLE_EQ(PixelScale::fromDpi(192, 144).y, 10);
    EXPECT_DOUBLE_EQ(PixelScale::fromDpi(0, 0).y, 15);  // no screen yet
}

struct MappingRow {
    OuterSize outer;
    FrameSize frame;
    PixelScale scale;
    ClientSize client;
};

constexpr FrameSize NoFrame{};
constexpr FrameSize Openbox{1, 20, 1, 5};  // its default theme: title bar 20, handle 5
constexpr FrameSize IceWm{5, 24, 5, 5};

TEST(WindowMetricsTest, OuterTwipsMapToTheClientInsideTheRealFrame) {
    const MappingRow rows[] = {
        // The outer size in pixels, less the frame: 1356 / 15 = 90.4, 1620 / 15 = 108.
        {{5295, 1356}, NoFrame, {15, 15}, {353, 90}},
        {{5295, 1356}, Openbox, {15, 15}, {351, 65}},
        {{5295, 1620}, Openbox, {15, 15}, {351, 83}},
        {{7000, 1800}, Openbox, {15, 15}, {465, 95}},
        {{4400, 1356}, IceWm, {15, 15}, {283, 61}},
        // At 192 DPI the outer pixels double; the manager's frame does not.
        {{5295, 1356}, Openbox, {7.5, 7.5}, {704, 156}},
        {{7000, 1800}, IceWm, {7.5, 7.5}, {923, 211}},
        // Openbox's frame at a device ratio of 2: 90.4 - 18.5 pixels, 181 device pixels outside.
        {{5295, 1356}, {0.5, 16, 0.5, 2.5}, {15, 15}, {352, 72}},
        // A frame larger than the window leaves one pixel.
        {{4400, 1356}, {0, 200, 0, 0}, {15, 15}, {293, 1}},
    };
    for (const auto& row : rows) {
        const ClientSize client = clientSizeFor(row.outer, row.frame, row.scale);
        EXPECT_EQ(client, row.client)
            << row.outer.width << "x" << row.outer.height << " frame " << row.frame.top << " got "
            << client.width << "x" << client.height;
    }
}

TEST(WindowMetricsTest, ClientPixelsReadBackWithinOnePixelOfTwips) {
    for (const PixelScale scale : {PixelScale{15, 15}, PixelScale{7.5, 7.5}, PixelScale{12, 12}}) {
        for (const FrameSize frame : {NoFrame, Openbox, IceWm}) {
            for (const platform::Twips height : {1356, 1620, 1800, 4750}) {
                for (const platform::Twips width : {4400, 5295, 7000}) {
                    const ClientSize client = clientSizeFor({width, height}, frame, scale);
                    const OuterSize back = outerSizeFor(client, frame, scale);
                    EXPECT_LE(std::abs(back.height - height), scale.y / 2 + 1) << height;
                    EXPECT_LE(std::abs(back.width - width), scale.x / 2 + 1) << width;
                    EXPECT_EQ(clientSizeFor(back, frame, scale), client) << "stable";
                }
            }
        }
    }
}

class GeometryTest : public ViewFixture {
  protected:
    QRect displayRect() const { return window.labelFor(main.controls.display)->geometry(); }

    QSize clientFor(platform::Twips height, platform::Twips width) const {
        // What the window grows by for a tall frame or menu bar is no part of the drag.
        const ClientSize client =
            clientSizeFor({width, height}, window.frame(), window.pixelScale());
        return {client.width, client.height + window.growth()};
    }

    // The window manager resizing the window as a user's drag.
    void dragTo(platform::Twips height, platform::Twips width) {
        window.resize(clientFor(height, width));
        processEvents();
    }
};

TEST_F(GeometryTest, WindowTakesTheModelsSizeAndTheMenuBarSitsAboveTheClientArea) {
    EXPECT_EQ(main.form.height(), 1356);
    EXPECT_EQ(window.size(), window.modelClientSize());
    EXPECT_EQ(window.centralWidget()->y(), window.menuBarHeight());
    EXPECT_EQ(window.menuBar()->height(), window.menuBarHeight());
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("【ベクロ】"));
}

struct DragRow {
    platform::Twips dragHeight, dragWidth;
    platform::Twips height, width;
    double fontSize;
};

TEST_F(GeometryTest, UsersResizeSnapsToTheSizeClassesAndTheDisplayStaysInView) {
    const DragRow rows[] = {
        {1500, 5295, 1620, 5295, 30},   {1200, 5295, 1356, 5295, 19},
        {2500, 5295, 1800, 5295, 40.5}, {1700, 6000, 1620, 6000, 30},
        {1356, 3000, 1356, 4400, 19},   {1356, 9000, 1356, 7000, 19},
        {900, 5000, 1356, 5000, 19},    {1800, 4500, 1800, 4500, 40.5},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.dragHeight) + "x" + std::to_string(row.dragWidth));
        dragTo(row.dragHeight, row.dragWidth);
        EXPECT_EQ(main.form.height(), row.height);
        EXPECT_NEAR(main.form.width(), row.width, window.pixelScale().x / 2 + 1);
        EXPECT_EQ(window.size(), window.modelClientSize()) << "the window snaps";
        EXPECT_EQ(main.controls.display.fontSize(), row.fontSize);
        EXPECT_EQ(window.labelFor(main.controls.display)->font().pointSizeF(), row.fontSize);
        EXPECT_TRUE(window.centralWidget()->rect().contains(displayRect()))
            << "display " << displayRect().bottom() << " in " << window.centralWidget()->height();
        EXPECT_EQ(main.controls.display.width(), main.form.width() - 360);
    }
}

TEST_F(GeometryTest, WindowWaitsForTheResizingToPauseBeforeItSnaps) {
    window.setSnapDelay(std::chrono::hours(1));
    const PixelScale scale = window.pixelScale();
    const QSize dragged(window.width(), toPixels(1500, scale.y));
    window.resize(dragged);
    processEvents();
    EXPECT_EQ(main.form.height(), 1620) << "the layout rules ran at once";
    EXPECT_EQ(main.controls.display.fontSize(), 30);
    EXPECT_EQ(window.size(), dragged) << "no size request while the user may still be dragging";

    window.setSnapDelay(std::chrono::milliseconds(0));
    processEvents();
    EXPECT_EQ(window.size(), window.modelClientSize());
}

TEST_F(GeometryTest, TheSizeTheManagerSettlesOnAfterADragSnapsToo) {
    // A compositor's last configure after the release, or a manager that let the snap pass while
    // the button was held, brings the dragged size back once more.
    for (const platform::Twips drag : {1500, 1700, 1400, 2500, 1000}) {
        SCOPED_TRACE(drag);
        dragTo(drag, 5295);
        ASSERT_EQ(window.size(), window.modelClientSize());
        const platform::Twips height = main.form.height();
        window.resize(clientFor(drag, 5295));
        processEvents();
        EXPECT_EQ(window.size(), window.modelClientSize());
        EXPECT_EQ(main.form.height(), height);
    }
}

TEST_F(GeometryTest, TheSnapWaitsWhileAMouseButtonIsHeld) {
    bool held = true;
    window.pointerHeld = [&held] { return held; };
    const QSize dragged = clientFor(1500, 5295);
    window.resize(dragged);
    processEvents();
    EXPECT_EQ(main.form.height(), 1620) << "the layout rules ran at once";
    EXPECT_EQ(window.size(), dragged) << "no request while the user holds the border";
    held = false;
    processEvents();
    EXPECT_EQ(window.size(), window.modelClientSize());
}

TEST_F(GeometryTest, AWindowManagerKeepingItsOwnSizeIsAskedOnlyAFewTimes) {
    dragTo(1500, 5295);
    ASSERT_EQ(window.size(), window.modelClientSize());
    // The manager answers every snap with the dragged size (a tiling manager would).
    int asked = 0;
    for (int answer = 0; answer < 2 * FormWindow::MaxRetries + 2; ++answer) {
        window.resize(clientFor(1500, 5295));
        processEvents();
        if (window.size() == window.modelClientSize()) ++asked;
    }
    EXPECT_EQ(asked, FormWindow::MaxRetries) << "a bounded number of requests";
    EXPECT_EQ(window.size(), clientFor(1500, 5295)) << "then the manager's size stays";
    EXPECT_EQ(main.form.height(), 1620);

    dragTo(2500, 5295);  // a new drag is a new exchange
    EXPECT_EQ(main.form.height(), 1800);
    EXPECT_EQ(window.size(), window.modelClientSize());
}

TEST_F(GeometryTest, TheOuterHeightIsTheClassHeightInsideEveryFrame) {
    const PixelScale scale = window.pixelScale();
    for (const FrameSize frame : {Openbox, IceWm, NoFrame}) {
        window.setFrame(frame);
        processEvents();
        for (const platform::Twips drag : {1200, 1500, 2500}) {
            dragTo(drag, 6000);
            SCOPED_TRACE(std::to_string(frame.top) + " " + std::to_string(drag));
            const double outer = window.height() + frame.top + frame.bottom;
            EXPECT_EQ(outer, toPixels(main.form.height(), scale.y));
            EXPECT_EQ(window.width() + frame.left + frame.right, toPixels(6000, scale.x));
            EXPECT_EQ(main.form.height(), drag < 1356 ? 1356 : drag < 1800 ? 1620 : 1800);
        }
    }
}

TEST_F(GeometryTest, ANewFrameKeepsTheOuterSizeAndResizesTheClient) {
    const QSize unframed = window.size();
    window.setFrame(Openbox);
    processEvents();
    EXPECT_EQ(window.size(), unframed - QSize(2, 25));
    EXPECT_EQ(main.form.height(), 1356);
    window.setFrame(NoFrame);
    processEvents();
    EXPECT_EQ(window.size(), unframed);
}

TEST_F(GeometryTest, LateOrRoundedAnswersOfTheManagerAreNoUsersDrag) {
    const QSize unframed = window.size();
    window.setFrame(Openbox);
    processEvents();
    ASSERT_EQ(window.size(), window.modelClientSize());
    const QSize framed = window.size();
    struct Row {
        QSize answer;
        platform::Twips height;  // the model's height afterwards
    };
    const Row rows[] = {
        {unframed, 1356},              // the answer to the request made before the frame
        {framed + QSize(0, 1), 1356},  // a device pixel of rounding
        {framed + QSize(1, -1), 1356},
        {framed + QSize(0, 20), 1620},  // a real drag
    };
    for (const Row& row : rows) {
        window.resize(row.answer);
        EXPECT_EQ(main.form.height(), row.height)
            << row.answer.width() << "x" << row.answer.height();
    }
}

TEST_F(GeometryTest, TheWindowManagerIsGivenTheSizesTheRulesLeaveAlone) {
    EXPECT_EQ(window.minimumSize(), clientFor(1356, 4400));
    EXPECT_EQ(window.maximumSize(), clientFor(1800, 7000));
    main.unitPanel.choosePanel(1);
    processEvents();
    EXPECT_EQ(window.size(), clientFor(4750, 4400));
    EXPECT_EQ(window.minimumSize(), window.size()) << "the panel's size is fixed";
    EXPECT_EQ(window.maximumSize(), window.size());
    main.unitPanel.back();
    processEvents();
    EXPECT_EQ(main.form.height(), 1356);
    EXPECT_EQ(window.size(), window.modelClientSize());
    EXPECT_EQ(window.minimumSize(), clientFor(1356, 4400));
    EXPECT_EQ(window.maximumSize(), clientFor(1800, 7000));
}

TEST_F(GeometryTest, ATallFrameOrMenuBarGrowsTheWindowAndTheDisplayStaysWhole) {
    struct Row {
        FrameSize frame;
        int menuFont;  // point size of the menu bar's font, 0 for the style's own
    };
    const Row rows[] = {
        {{1, 38, 1, 5}, 0},  // an X server at 192 DPI without Xft.dpi: a 38-pixel title bar
        {{0, 60, 0, 0}, 0},  // a title bar two thirds of the small class
        {Openbox, 20},       // a 20-point system font
        {IceWm, 40},
    };
    const PixelScale scale = window.pixelScale();
    for (const Row& row : rows) {
        QFont font = window.menuBar()->font();
        if (row.menuFont != 0) font.setPointSize(row.menuFont);
        window.menuBar()->setFont(row.menuFont != 0 ? font : QFont());
        window.setFrame(row.frame);
        processEvents();
        for (const platform::Twips drag : {1200, 1500, 2500}) {
            SCOPED_TRACE(std::to_string(row.frame.top) + " " + std::to_string(row.menuFont) + " " +
                         std::to_string(drag));
            dragTo(drag, 5295);
            const int klass = drag < 1356 ? 1356 : drag < 1800 ? 1620 : 1800;
            EXPECT_EQ(main.form.height(), klass) << "no drag read into the growth";
            EXPECT_EQ(window.size(), window.modelClientSize());
            EXPECT_GT(window.growth(), 0);
            EXPECT_EQ(window.height() + row.frame.top + row.frame.bottom,
                      toPixels(klass, scale.y) + window.growth());
            for (const char* shown : {"0.", "123,456,789,012,345."}) {
                main.calculator.setDisplay(shown);
                processEvents();
                EXPECT_TRUE(window.centralWidget()->rect().contains(displayRect()))
                    << "display " << displayRect().bottom() << " in "
                    << window.centralWidget()->height();
                const auto* display =
                    static_cast<FittedLabel*>(window.labelFor(main.controls.display));
                EXPECT_EQ(display->freeRect().height(), display->height()) << "all in view";
            }
        }
    }
    window.menuBar()->setFont(QFont());
    window.setFrame(NoFrame);
    processEvents();
    EXPECT_EQ(window.growth(), 0);
}

TEST_F(GeometryTest, ASideTheUserLeftAloneKeepsItsExactTwips) {
    dragTo(1356, 3000);
    ASSERT_EQ(main.form.width(), 4400);
    // Only the height is dragged: the width's pixels may not express 4400 exactly, but the
    // model keeps it rather than taking the rounded value back.
    window.resize(window.width(), window.height() + 20);
    processEvents();
    EXPECT_EQ(main.form.height(), 1620);
    EXPECT_EQ(main.form.width(), 4400);
}

TEST_F(GeometryTest, DefaultSizeItemGivesTheLargeClass) {
    main.chooseSize(0);
    processEvents();
    EXPECT_EQ(window.size(), window.modelClientSize());
    EXPECT_TRUE(window.centralWidget()->rect().contains(displayRect()));
}

TEST_F(GeometryTest, DisplayAndMarkFollowTheModelsControls) {
    const PixelScale scale = window.pixelScale();
    const QLabel* display = window.labelFor(main.controls.display);
    const QLabel* mark = window.labelFor(main.controls.mark);
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(display->geometry(),
              QRect(0, toPixels(110, scale.y), toPixels(main.controls.display.width(), scale.x),
                    toPixels(main.controls.display.height(), scale.y)));
    EXPECT_EQ(mark->x(), 0);
    EXPECT_EQ(mark->y(), toPixels(210, scale.y));
    EXPECT_TRUE(display->geometry().intersects(mark->geometry()));
    const QObjectList stack = window.centralWidget()->children();
    EXPECT_GT(stack.indexOf(const_cast<QLabel*>(mark)), stack.indexOf(const_cast<QLabel*>(display)))
        << "the mark is drawn over the display's left end";
    EXPECT_TRUE(display->alignment().testFlag(Qt::AlignRight));
    EXPECT_TRUE(display->alignment().testFlag(Qt::AlignVCenter));
    EXPECT_EQ(display->accessibleName(), QString::fromUtf8("表示"));
    main.calculator.setDisplay("36.");
    QAccessibleInterface* readout =
        QAccessible::queryAccessibleInterface(const_cast<QLabel*>(display));
    EXPECT_EQ(readout->text(QAccessible::Value), QStringLiteral("36."));
}

TEST_F(GeometryTest, FontsAndColoursAreTheModels) {
    main.controls.display.setFontName("ＭＳ 明朝");
    main.controls.display.setForeColour(platform::rgb(0x40, 0x40, 0x40));
    main.controls.display.setBackColour(platform::rgb(0, 255, 0));
    main.controls.mark.setCaption("×");
    const QLabel* display = window.labelFor(main.controls.display);
    EXPECT_EQ(display->font().family(), QString::fromUtf8("ＭＳ 明朝"));
    EXPECT_EQ(display->palette().color(QPalette::WindowText), QColor(0x40, 0x40, 0x40));
    EXPECT_EQ(display->palette().color(QPalette::Window), QColor(0, 255, 0));
    EXPECT_TRUE(display->autoFillBackground());
    const QLabel* mark = window.labelFor(main.controls.mark);
    EXPECT_EQ(mark->text(), QString::fromUtf8("×"));
    EXPECT_TRUE(mark->font().bold());
    EXPECT_EQ(mark->font().pointSizeF(), 13.5);

    main.controls.display.setForeColour(platform::rgb(1, 2, 3));
    EXPECT_EQ(display->palette().color(QPalette::WindowText), QColor(1, 2, 3));
}

TEST_F(GeometryTest, ControlsOutsideTheVisibleAreaGetNoWidget) {
    EXPECT_EQ(window.labelFor(main.controls.displayBackdrop), nullptr);
    EXPECT_EQ(window.centralWidget()->findChildren<QLabel*>().size(), 2);
    EXPECT_EQ(window.centralWidget()->findChildren<QAbstractButton*>().size(), 0);
    EXPECT_EQ(window.findChildren<QLineEdit*>().size(), 0);
}

TEST_F(GeometryTest, PositionIsTheOuterTopLeftInTwips) {
    const PixelScale scale = window.pixelScale();
    main.form.move(1500, 750);
    processEvents();
    EXPECT_EQ(window.pos(), QPoint(toPixels(1500, scale.x), toPixels(750, scale.y)));

    window.move(40, 30);  // the user moves the window
    processEvents();
    EXPECT_EQ(main.form.left(), toTwips(40, scale.x));
    EXPECT_EQ(main.form.top(), toTwips(30, scale.y));
    EXPECT_EQ(window.pos(), QPoint(40, 30));
}

TEST_F(GeometryTest, APlaceOffEveryScreenOpensOnTheScreenAndTheModelFollows) {
    const QRect available = window.screen()->availableGeometry();
    const PixelScale scale = window.pixelScale();
    struct Row {
        platform::Twips left, top;
        QPoint place;  // where the window's frame opens; (-1, -1): at the far edge
    };
    const Row rows[] = {
        {30000, 0, {-1, 0}},    {0, 30000, {0, -1}},
        {-30000, -450, {0, 0}}, {30000, 30000, {-1, -1}},
        {-15, 750, {0, 50}},    {1500, 750, {100, 50}},  // on the screen: left alone
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.left) + "," + std::to_string(row.top));
        main.form.move(row.left, row.top);
        processEvents();
        const QRect frame = window.frameGeometry();
        EXPECT_TRUE(available.contains(frame)) << frame.x() << "," << frame.y();
        EXPECT_EQ(frame.x(),
                  row.place.x() < 0 ? available.right() + 1 - frame.width() : row.place.x());
        EXPECT_EQ(frame.y(),
                  row.place.y() < 0 ? available.bottom() + 1 - frame.height() : row.place.y());
        EXPECT_EQ(main.form.left(), toTwips(frame.x(), scale.x)) << "the model is where it shows";
        EXPECT_EQ(main.form.top(), toTwips(frame.y(), scale.y));
    }
}

TEST_F(GeometryTest, WhereTheWindowCannotKnowItsPlaceThePositionKeptIsTheStoredOne) {
    window.setPositionKnown(false);  // as on Wayland
    main.form.move(1500, 750);
    processEvents();
    window.move(0, 0);  // what such a platform reports
    processEvents();
    EXPECT_EQ(main.form.left(), 1500);
    EXPECT_EQ(main.form.top(), 750);
    main.saveWindowPositions();
    EXPECT_EQ(profile.read("VEXLO", "FormLeft"), "1500");
    EXPECT_EQ(profile.read("VEXLO", "FormTop"), "750");
}

TEST_F(GeometryTest, AlwaysOnTopKeepsTheWindowWhereItIs) {
    main.form.move(300, 600);
    processEvents();
    const QRect before = window.geometry();
    EXPECT_EQ(windowOrder.setTopmost(true), 1);
    processEvents();
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.geometry(), before);
    windowOrder.setTopmost(false);
    EXPECT_FALSE(window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(window.geometry(), before);
}

TEST(QtScreenTest, ScreenSizeInTwipsOfThePrimaryScreen) {
    QtScreen screen;
    EXPECT_GT(screen.twipsPerPixelX(), 0);
    EXPECT_EQ(screen.width(),
              toTwips(QGuiApplication::primaryScreen()->size().width(), screen.twipsPerPixelX()));
    EXPECT_EQ(screen.height(),
              toTwips(QGuiApplication::primaryScreen()->size().height(), screen.twipsPerPixelY()));
}

}  // namespace
}  // namespace vexlo::qtview::testing
