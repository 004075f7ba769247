#include "platform/qt/DisplayAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>

#include "platform/qt/FormWindow.h"

namespace vexlo::qtview {

namespace {

// A label read as static text with the text interface over its caption.
class DisplayAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit DisplayAccessible(QWidget* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

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
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

  private:
    QString caption() const { return static_cast<const QLabel*>(object())->text(); }
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

}  // namespace

void installDisplayAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(displayFactory);
        return true;
    }();
    (void)installed;
}

DisplayAccessibility::DisplayAccessibility(shell::MainWindow& main, FormWindow& window)
    : main_(main), window_(window) {
    installDisplayAccessibility();
    QPointer<FormWindow> guard(&window);
    std::weak_ptr<int> alive = alive_;
    main_.form.subscribe([this, guard, alive](const platform::Control*) {
        if (guard && !alive.expired()) update();
    });
    update();
}

QString DisplayAccessibility::nameOf(const platform::Control& control) const {
    const platform::MenuItem* english = main_.form.findMenu("JJJ", 1);
    const bool inEnglish = english != nullptr && english->checked();
    if (&control == &main_.calc.Readout) {
        return inEnglish ? QStringLiteral("Display") : QString::fromUtf8("表示");
    }
    return inEnglish ? QStringLiteral("Mark") : QString::fromUtf8("記号");
}

void DisplayAccessibility::update() {
    for (const platform::Control* control : {static_cast<platform::Control*>(&main_.calc.Readout),
                                             static_cast<platform::Control*>(&main_.calc.MEM2)}) {
        QLabel* label = window_.labelFor(*control);
        if (label == nullptr) continue;
        if (shown_.try_emplace(label, label->text()).second) adopt(*label);
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

void DisplayAccessibility::announce() {
    announcing_ = false;
    for (auto& [label, shown] : shown_) {
        if (shown == label->text()) continue;
        // Readers speak a text change; a description change alone leaves them silent.
        QAccessibleTextUpdateEvent event(const_cast<QLabel*>(label), 0, shown, label->text());
        QAccessible::updateAccessibility(&event);
        shown = label->text();
        if (announced) announced(*label, shown);
    }
}

}  // namespace vexlo::qtview
