#include "qt/DisplayAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QPointer>

#include "platform/KeyFold.h"
#include "qt/FittedLabel.h"
#include "qt/FormWindow.h"

namespace vexlo::qtview {

namespace {

// One of the display's two speakers: an object without a place on the screen, named by the
// value shown. Readers say the object the focus moves to whatever the key was, so a result is
// said by moving the focus from one speaker to the other; a text change or a description change
// is said only after some keys, or not at all.
class SpeakerAccessible : public QAccessibleInterface {
  public:
    SpeakerAccessible(QAccessibleInterface* display, bool* speaking)
        : display_(display), speaking_(speaking) {}

    bool isValid() const override { return display_->isValid(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return display_->window(); }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return display_; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    // What it says: the value it was given, followed by the digits typed since.
    QString text(QAccessible::Text type) const override {
        return type == QAccessible::Name ? said_ : QString();
    }
    void setText(QAccessible::Text type, const QString& text) override {
        if (type == QAccessible::Name) said_ = text;
    }
    // Where the display is, so that a reader's review of the screen starts at the display's line;
    // the other speaker has no place, or the review would read its old value too.
    QRect rect() const override { return *speaking_ ? display_->rect() : QRect(); }
    // A filler: readers say its name alone, without a role.
    QAccessible::Role role() const override { return QAccessible::Client; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.focusable = true;
        state.focused = *speaking_;
        return state;
    }

  private:
    QAccessibleInterface* display_;
    const bool* speaking_;
    QString said_;
};

// A label read as static text with the text interface over its caption, each character at the
// place it is drawn.
class DisplayAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit DisplayAccessible(QWidget* label) : QAccessibleWidget(label, QAccessible::StaticText) {
        for (int i = 0; i < 2; ++i) {
            speakers_[i] = new SpeakerAccessible(this, &speaking_[i]);
            speakerIds_[i] = QAccessible::registerAccessibleInterface(speakers_[i]);
        }
    }
    ~DisplayAccessible() override {
        for (QAccessible::Id id : speakerIds_) QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return 2; }
    QAccessibleInterface* child(int index) const override {
        return index >= 0 && index < 2 ? speakers_[index] : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < 2; ++i)
            if (child == speakers_[i]) return i;
        return -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    // The focus moves to the speaker that did not say the last value.
    void speak(const QString& value) {
        const int next = speaking_[0] ? 1 : 0;
        speaking_[0] = next == 0;
        speaking_[1] = next == 1;
        speakers_[next]->setText(QAccessible::Name, value);
        QAccessibleEvent event(speakers_[next], QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }

    // The keyboard focus moved: the reader follows it, and no speaker holds the focus.
    void quiet() { speaking_[0] = speaking_[1] = false; }

    // The display changed unannounced (typing): a look at the focused speaker finds the value.
    void retell(const QString& value) {
        for (int i = 0; i < 2; ++i) {
            if (!speaking_[i]) continue;
            speakers_[i]->setText(QAccessible::Name, value);
            // Readers keep the names they have read until they are told of a change.
            QAccessibleEvent event(speakers_[i], QAccessible::NameChanged);
            QAccessible::updateAccessibility(&event);
        }
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text type) const override {
        if (type == QAccessible::Value) return caption();
        return QAccessibleWidget::text(type);
    }

    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override { return caption().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(caption().size()); }

    QRect characterRect(int offset) const override {
        const QRectF local = localCharacterRect(offset);
        if (local.isEmpty()) return {};
        const QWidget* label = widget();
        return QRect(label->mapToGlobal(local.topLeft().toPoint()), local.size().toSize());
    }

    int offsetAtPoint(const QPoint& point) const override {
        const QPointF local = widget()->mapFromGlobal(point);
        if (!widget()->rect().contains(local.toPoint())) return -1;
        for (int i = 0; i < characterCount(); ++i) {
            const QRectF box = localCharacterRect(i);
            if (local.x() >= box.left() && local.x() < box.right()) return i;
        }
        return -1;
    }

    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

  private:
    QString caption() const { return static_cast<const QLabel*>(object())->text(); }

    SpeakerAccessible* speakers_[2] = {};
    QAccessible::Id speakerIds_[2] = {};
    bool speaking_[2] = {false, false};

    // In the label's pixels, from the font and the place the label draws its text with.
    QRectF localCharacterRect(int offset) const {
        const QString text = caption();
        if (offset < 0 || offset >= text.size()) return {};
        const auto* label = qobject_cast<const FittedLabel*>(widget());
        if (label == nullptr) return {};
        const FittedLabel::Placement place = label->placement();
        const QFontMetricsF metrics(place.font, label);
        const double left = place.origin.x() + metrics.horizontalAdvance(text.left(offset));
        const double width = metrics.horizontalAdvance(text.mid(offset, 1));
        return {left, place.origin.y() - metrics.ascent(), width, metrics.height()};
    }
};

bool isDisplayLabel(const QObject* object) {
    const auto* label = qobject_cast<const QLabel*>(object);
    if (label == nullptr) return false;
    const QString name = label->objectName();
    return (name == QLatin1String("Readout") || name == QLatin1String("MEM2")) &&
           label->window()->objectName() == QLatin1String("Calculator");
}

QAccessibleInterface* displayFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("QLabel") && isDisplayLabel(object)) {
        return new DisplayAccessible(static_cast<QWidget*>(object));
    }
    return nullptr;
}

// Typing a number: the reader's key echo already speaks it.
bool isEntryKey(const platform::KeyStroke& key) {
    const char32_t c = platform::foldTyped(key.character);
    return (c >= U'0' && c <= U'9') || c == U'.';
}

}  // namespace

void installDisplayAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(displayFactory);
        return true;
    }();
    (void)installed;
}

QString spokenValue(const QString& display, const QString& mark) {
    QString spoken = display;
    if (spoken.endsWith(QLatin1Char('.')) && spoken.size() > 1 &&
        spoken[spoken.size() - 2].isDigit())
        spoken.chop(1);
    const QString shownMark = mark.trimmed();
    if (!shownMark.isEmpty()) spoken += QLatin1Char(' ') + shownMark;
    return spoken;
}

DisplayAccessibility::DisplayAccessibility(shell::MainWindow& main, FormWindow& window)
    : main_(main), window_(window) {
    installDisplayAccessibility();
    shown_ = spokenValue(QString::fromStdString(main_.controls.display.caption()),
                         QString::fromStdString(main_.controls.mark.caption()));
    QPointer<FormWindow> guard(&window);
    std::weak_ptr<int> alive = alive_;
    main_.form.subscribe([this, guard, alive](const platform::Control*) {
        if (guard && !alive.expired()) update();
    });
    QObject::connect(
        qApp, &QApplication::focusChanged, &window_, [this, alive](QWidget*, QWidget* now) {
            if (alive.expired()) return;
            QLabel* display = window_.labelFor(main_.controls.display);
            if (display == nullptr) return;
            auto* readout =
                dynamic_cast<DisplayAccessible*>(QAccessible::queryAccessibleInterface(display));
            if (readout == nullptr) return;
            readout->quiet();
            // Back on the display (at the start, after a menu or a dialog), the
            // reader is given the value, so "where am I" finds it there too.
            if (now == display) {
                QMetaObject::invokeMethod(
                    &window_,
                    [this, alive] {
                        if (!alive.expired()) tellValue();
                    },
                    Qt::QueuedConnection);
            }
        });
    update();
}

QString DisplayAccessibility::nameOf(const platform::Control& control) const {
    const platform::MenuItem* english = main_.form.findMenu("JJJ", 1);
    const bool inEnglish = english != nullptr && english->checked();
    if (&control == &main_.controls.display) {
        return inEnglish ? QStringLiteral("Display") : QString::fromUtf8("表示");
    }
    // The mark's colour tells that the display will be kept at the close.
    if (main_.resumeMode == 1) {
        return inEnglish ? QStringLiteral("Mark, resume value on")
                         : QString::fromUtf8("記号・終了時数値記憶有");
    }
    return inEnglish ? QStringLiteral("Mark") : QString::fromUtf8("記号");
}

void DisplayAccessibility::keyTyped(const platform::KeyStroke& key) {
    typing_ = isEntryKey(key);
}

void DisplayAccessibility::update() {
    for (const platform::Control* control :
         {static_cast<platform::Control*>(&main_.controls.display),
          static_cast<platform::Control*>(&main_.controls.mark)}) {
        QLabel* label = window_.labelFor(*control);
        if (label == nullptr) continue;
        if (label->property("vexloAdopted").isNull()) {
            label->setProperty("vexloAdopted", true);
            adopt(*label);
            // The display holds the focus; the window's key filter still takes every key.
            if (control == &main_.controls.display) {
                label->setFocusPolicy(Qt::StrongFocus);
                window_.setFocusProxy(label);
            }
        }
        const QString name = nameOf(*control);
        if (label->accessibleName() != name) label->setAccessibleName(name);
    }
    if (announcing_) return;
    // A handler writes its in-between texts too; readers hear the value it leaves.
    announcing_ = true;
    std::weak_ptr<int> alive = alive_;
    QMetaObject::invokeMethod(
        &window_,
        [this, alive] {
            if (!alive.expired()) announce();
        },
        Qt::QueuedConnection);
}

void DisplayAccessibility::adopt(QLabel& label) {
    // With a reader listening, Qt gives a label its interface as it is made, before the label
    // has its name; that one is dropped so the display's own is made in its place.
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(&label);
    if (made != nullptr && made->textInterface() == nullptr) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
        QAccessible::queryAccessibleInterface(&label);
    }
}

void DisplayAccessibility::tellValue() {
    QLabel* display = window_.labelFor(main_.controls.display);
    if (display == nullptr || QApplication::focusWidget() != display || main_.form.closed()) return;
    auto* readout =
        dynamic_cast<DisplayAccessible*>(QAccessible::queryAccessibleInterface(display));
    if (readout == nullptr) return;
    shown_ = spokenValue(QString::fromStdString(main_.controls.display.caption()),
                         QString::fromStdString(main_.controls.mark.caption()));
    readout->speak(shown_);
}

void DisplayAccessibility::announce() {
    announcing_ = false;
    const bool typed = typing_;
    typing_ = false;
    const QString value = spokenValue(QString::fromStdString(main_.controls.display.caption()),
                                      QString::fromStdString(main_.controls.mark.caption()));
    if (value == shown_ || main_.form.closed()) return;
    shown_ = value;
    QLabel* display = window_.labelFor(main_.controls.display);
    if (display == nullptr) return;
    auto* readout =
        dynamic_cast<DisplayAccessible*>(QAccessible::queryAccessibleInterface(display));
    if (typed) {
        if (readout != nullptr) readout->retell(value);
        return;
    }
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr || target->window() != &window_) target = display;
    // A box of the unit panel keeps the keyboard focus; the reader's focus goes to the speaker
    // and comes back with the next arrow key.
    if (readout == nullptr) return;
    readout->speak(value);
    if (announced) announced(*target, value);
}

}  // namespace vexlo::qtview
