// The display drawn as a user sees it: every size class and width with the longest texts, the
// ink inside the label's part in view and clear of the mark; Windows font names drawn with
// installed Japanese families.

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QRawFont>
#include <QTextLayout>

#include "QtViewFixture.h"
#include "qt/FittedLabel.h"
#include "qt/FontSubstitution.h"

namespace vexlo::qtview::testing {
namespace {

TEST(FontSubstitutionTest, WindowsNamesStandForInstalledJapaneseFamilies) {
    const std::pair<const char*, const char*> rows[] = {
        {"ＭＳ 明朝", "Noto Serif CJK JP"},      {"ＭＳ ゴシック", "Noto Sans Mono CJK JP"},
        {"System", "Noto Sans Mono CJK JP"},     {"terminal", "Noto Sans Mono CJK JP"},
        {"ＭＳ Ｐゴシック", "Noto Sans CJK JP"}, {"No Such Font", ""},
    };
    for (const auto& [name, family] : rows) {
        const QString expected = QString::fromUtf8(family);
        if (!expected.isEmpty() && !QFontDatabase::hasFamily(expected)) {
            GTEST_SKIP() << family << " is not installed";
        }
        EXPECT_EQ(fontSubstituteFor(QString::fromUtf8(name)), expected) << name;
        registerFontSubstitute(QString::fromUtf8(name));
        if (!expected.isEmpty()) {
            EXPECT_EQ(QFontInfo(QFont(QString::fromUtf8(name))).family(), expected) << name;
        }
    }
}

class DisplayFitTest : public ViewFixture {
  protected:
    explicit DisplayFitTest(std::string settings = {}) : ViewFixture(std::move(settings)) {}

    FittedLabel& display() const {
        return *static_cast<FittedLabel*>(window.labelFor(main.controls.display));
    }

    // The drawn text's ink in the label's pixels: what differs from the background.
    QRectF inkBox() const {
        const QPixmap shot = display().grab();
        const QImage image = shot.toImage().convertToFormat(QImage::Format_RGB32);
        const QRgb background = image.pixel(image.width() - 1, 0);
        int left = image.width(), right = -1, top = image.height(), bottom = -1;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) == background) continue;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
        if (right < 0) return {};
        const double ratio = shot.devicePixelRatio();
        return QRectF(left / ratio, top / ratio, (right - left + 1) / ratio,
                      (bottom - top + 1) / ratio);
    }

    void checkEverySizeClass() {
        const char* texts[] = {"123,456,789,012,345.", "-1,234,567,890,000.", "昭和 64年:平成 1年",
                               "紀元前・未対応"};
        for (const platform::Twips height : {1356, 1620, 1800}) {
            for (const platform::Twips width : {4400, 7000}) {
                main.form.resizeByUser(height, width);
                window.flush();
                processEvents();
                for (const char* text : texts) {
                    SCOPED_TRACE(std::to_string(height) + "x" + std::to_string(width) + " " + text);
                    main.calculator.setDisplay(text);
                    processEvents();
                    const QRectF free = display().freeRect();
                    const QRectF ink = inkBox();
                    ASSERT_FALSE(ink.isEmpty()) << "the text is drawn";
                    const QLabel* mark = window.labelFor(main.controls.mark);
                    EXPECT_GE(ink.left() + display().x(), mark->geometry().right() + 1)
                        << "clear of the mark";
                    EXPECT_GE(ink.left(), free.left());
                    EXPECT_LE(ink.right(), free.right());
                    EXPECT_GE(ink.top(), free.top());
                    EXPECT_LE(ink.bottom(), free.bottom()) << "nothing cut at the bottom";
                    EXPECT_GT(ink.width(), free.width() / 3) << "drawn large, not tiny";
                    EXPECT_EQ(main.controls.display.fontSize(),
                              window.labelFor(main.controls.display)->font().pointSizeF())
                        << "the model's size is kept";
                }
                main.calculator.setDisplay("0.");
                processEvents();
                EXPECT_EQ(display().drawnFont().pointSizeF(), main.controls.display.fontSize())
                    << "a short text is drawn at the model's size again";
            }
        }
    }
};

TEST_F(DisplayFitTest, LongTextsFitEverySizeClassInTheDefaultFont) {
    checkEverySizeClass();
}

class DesignFontFitTest : public DisplayFitTest {
  protected:
    DesignFontFitTest() : DisplayFitTest("[VEXLO]\nFontDef=ＭＳ 明朝\n") {}
};

TEST_F(DesignFontFitTest, LongTextsFitEverySizeClassInTheDesignFont) {
    ASSERT_EQ(main.controls.display.fontName(), "ＭＳ 明朝");
    checkEverySizeClass();
}

TEST(InterfaceFontTest, JapaneseTakesTheDisplaysFaceAndLatinKeepsTheDesktops) {
    const QString mono = fontSubstituteFor(QStringLiteral("System"));
    if (mono.isEmpty()) GTEST_SKIP() << "no Japanese monospaced family is installed";
    const QFont font = QGuiApplication::font();
    QTextLayout layout(QString::fromUtf8("Edit 編集"), font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList families;
    for (const QGlyphRun& run : layout.glyphRuns()) families << run.rawFont().familyName();
    families.sort();
    QStringList expected{QFontInfo(font).family(), mono};
    expected.sort();
    EXPECT_NE(QFontInfo(font).family(), mono);
    EXPECT_EQ(families, expected);
}

TEST(FittedPointSizeTest, ShrinksOnlyWhatDoesNotFit) {
    QFont font(QStringLiteral("Noto Sans Mono CJK JP"));
    font.setPointSizeF(40.5);
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(3780);  // 96 DPI
    device.setDotsPerMeterY(3780);
    const QString text = QStringLiteral("123,456,789,012,345.");
    EXPECT_EQ(fittedPointSize(font, QStringLiteral("0."), {400, 60}, &device), 40.5);
    const double fitted = fittedPointSize(font, text, {400, 60}, &device);
    EXPECT_LT(fitted, 40.5);
    for (const double size : {fitted, fitted + 0.25}) {
        QFont sized = font;
        sized.setPointSizeF(size);
        const QFontMetricsF metrics(sized, &device);
        const QRectF ink = metrics.tightBoundingRect(text);
        const double width =
            std::max(metrics.horizontalAdvance(text), ink.right()) - std::min(0.0, ink.left());
        EXPECT_EQ(width <= 399, size == fitted) << "the largest size that fits, at " << size;
    }
    EXPECT_EQ(fittedPointSize(font, text, {1, 1}, &device), MinimumPointSize);
    // Blanks have no ink to fit (the mark shows one between era letters).
    EXPECT_EQ(fittedPointSize(font, QStringLiteral(" "), {1, 1}, &device), 40.5);
    EXPECT_EQ(fittedPointSize(font, QString::fromUtf8("\u3000 "), {1, 1}, &device), 40.5);
}

}  // namespace
}  // namespace vexlo::qtview::testing
