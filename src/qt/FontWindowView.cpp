#include "qt/FontWindowView.h"

#include <QCloseEvent>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/ModelFont.h"
#include "qt/SecondaryViews.h"

namespace vexlo::qtview {

FontWindowView::FontWindowView(shell::MainWindow& main, QWidget* owner)
    : QDialog(owner, Qt::Window),
      main_(main),
      form_(main.fontWindow),
      name_(new QLabel(this)),
      list_(new QListWidget(this)),
      ok_(new QPushButton(this)),
      cancel_(new QPushButton(this)) {
    setObjectName(QString::fromStdString(form_.name()));
    name_->setObjectName(QStringLiteral("FNTNAME"));
    name_->setTextFormat(Qt::PlainText);
    name_->setFrameShape(QFrame::Panel);
    name_->setFrameShadow(QFrame::Sunken);
    list_->setObjectName(QStringLiteral("Lstfontname"));
    ok_->setObjectName(QStringLiteral("OK"));
    cancel_->setObjectName(QStringLiteral("END"));
    ok_->setDefault(true);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addStretch();
    auto* row = new QHBoxLayout;
    row->addWidget(list_, 1);
    row->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name_);
    layout->addLayout(row, 1);

    const PixelScale scale = scaleOf(*this);
    resize(toPixels(form_.width(), scale.x), toPixels(form_.height(), scale.y));

    auto* listBox = form_.find<platform::ListBox>("Lstfontname");
    // A selection the user makes (focus alone makes a current item, which selects nothing).
    connect(list_, &QListWidget::itemSelectionChanged, this, [this, listBox] {
        const int chosen = list_->currentRow();
        if (syncing_ || list_->selectedItems().isEmpty() || chosen == listBox->selectedIndex())
            return;
        listBox->select(chosen);
    });
    connect(ok_, &QPushButton::clicked, this,
            [this] { form_.find<platform::Button>("OK")->click(); });
    connect(cancel_, &QPushButton::clicked, this,
            [this] { form_.find<platform::Button>("END")->click(); });
    // Esc unloads the window as CANCEL does.
    connect(this, &QDialog::rejected, this, [this] {
        if (form_.visible()) main_.cancelFont();
    });
    const platform::MenuItem* english = main_.form.findMenu("JJJ", 1);
    list_->setAccessibleName(english != nullptr && english->checked()
                                 ? QStringLiteral("Fonts")
                                 : QString::fromUtf8("フォント一覧"));

    QPointer<FontWindowView> self(this);
    form_.subscribe([self](const platform::Control*) {
        if (self) self->refresh();
    });
    refresh();
}

void FontWindowView::refresh() {
    syncing_ = true;
    setWindowTitle(QString::fromStdString(form_.caption()));
    const auto& name = *form_.find<platform::Label>("FNTNAME");
    name_->setText(QString::fromStdString(name.caption()));
    name_->setFont(modelFont(name));
    const auto& listBox = *form_.find<platform::ListBox>("Lstfontname");
    list_->setFont(modelFont(listBox));
    const auto& items = listBox.items();
    if (list_->count() != static_cast<int>(items.size())) {
        list_->clear();
        for (const std::string& item : items) list_->addItem(QString::fromStdString(item));
    }
    if (listBox.selectedIndex() >= 0) {
        list_->setCurrentRow(listBox.selectedIndex());
    } else {
        list_->clearSelection();
    }
    for (auto [button, model] : {std::pair{ok_, "OK"}, std::pair{cancel_, "END"}}) {
        const auto& control = *form_.find<platform::Button>(model);
        button->setText(QString::fromStdString(control.caption()));
        button->setFont(modelFont(control));
    }
    placeFromModel(*this, form_);
    syncing_ = false;
}

void FontWindowView::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    if (!syncing_) movedByUser(*this, form_);
}

void FontWindowView::closeEvent(QCloseEvent* event) {
    // The title bar's close unloads the window and stores nothing, as CANCEL does.
    if (form_.visible()) main_.cancelFont();
    event->accept();
}

}  // namespace vexlo::qtview
