#include "qt/HelpView.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPointer>
#include <QScrollArea>
#include <QVBoxLayout>

#include "qt/ModelFont.h"
#include "qt/SecondaryViews.h"
#include "shell/HelpText.h"

namespace vexlo::qtview {

namespace {

QLabel* textLabel(const QString& text, const QFont& font, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFont(font);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Selectable text takes the focus by click only; Tab reaches it too.
    label->setFocusPolicy(Qt::StrongFocus);
    return label;
}

}  // namespace

HelpView::HelpView(platform::Form& form, QWidget* owner) : QDialog(owner, Qt::Window), form_(form) {
    setObjectName(QString::fromStdString(form_.name()));
    setWindowTitle(QString::fromStdString(form_.caption()));
    connect(this, &QDialog::finished, this, [this] { form_.setVisible(false); });

    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    const auto& body = *form_.find<platform::Label>("Label1");
    const QFont bodyFont = modelFont(body);
    for (std::size_t h = 0; h < shell::HelpHeadings.size(); ++h) {
        const shell::HelpHeading& heading = shell::HelpHeadings[h];
        const auto& model = *form_.find<platform::Label>(heading.name, heading.index);
        QLabel* label = textLabel(QString::fromStdString(model.caption()), modelFont(model), page);
        label->setObjectName(QString::fromStdString(model.key()));
        if (h == 0) label->setAlignment(Qt::AlignHCenter);
        column->addSpacing(h == 0 ? 0 : 8);
        column->addWidget(label);
        for (const shell::HelpParagraph& paragraph : shell::HelpBody) {
            if (paragraph.heading != h) continue;
            column->addWidget(textLabel(QString::fromUtf8(paragraph.text), bodyFont, page));
        }
    }
    column->addStretch();

    auto* scroll = new QScrollArea(this);
    scroll->setWidget(page);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // The texts take the focus, not the page around them, which would keep Tab to itself.
    scroll->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    // The title has the focus as the window opens; Tab goes on through the texts, each read
    // as it is reached, and the page scrolls to it.
    if (auto* first = page->findChild<QLabel*>()) first->setFocus(Qt::OtherFocusReason);

    const PixelScale scale = scaleOf(*this);
    fitToAvailableArea(*this, {toPixels(form_.width(), scale.x), toPixels(form_.height(), scale.y)},
                       owner);

    QPointer<HelpView> self(this);
    form_.subscribe([self](const platform::Control*) {
        if (!self) return;
        self->syncing_ = true;
        placeFromModel(*self, self->form_, false);
        self->syncing_ = false;
    });
    syncing_ = true;
    placeFromModel(*this, form_, false);
    syncing_ = false;
}

void HelpView::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    if (!syncing_) movedByUser(*this, form_);
}

void HelpView::closeEvent(QCloseEvent* event) {
    form_.setVisible(false);
    event->accept();
}

}  // namespace vexlo::qtview
