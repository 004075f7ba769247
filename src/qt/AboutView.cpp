#include "qt/AboutView.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/SecondaryViews.h"

namespace vexlo::qtview {

AboutPicture::AboutPicture(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Picture1"));
    setAccessibleName(QStringLiteral("VEXLO"));
    setFixedSize(sizeHint());
}

void AboutPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body = QRectF(rect()).adjusted(4, 4, -4, -4);
    painter.setPen(QPen(QColor(40, 48, 64), 2));
    painter.setBrush(QColor(72, 84, 108));
    painter.drawRoundedRect(body, 10, 10);

    // The display strip in the calculator's own green, with a result in it.
    const QRectF strip(body.left() + 8, body.top() + 10, body.width() - 16, 26);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 255, 0));
    painter.drawRoundedRect(strip, 3, 3);
    painter.setPen(QColor(64, 64, 64));
    QFont digits = font();
    digits.setBold(true);
    digits.setPixelSize(16);
    painter.setFont(digits);
    painter.drawText(strip.adjusted(0, 0, -5, 0), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("23."));

    // A four-by-four keypad; the equals key stands out.
    const double keyTop = strip.bottom() + 8;
    const double gap = 4;
    const double key = (strip.width() - 3 * gap) / 4;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            const bool equals = row == 3 && col == 3;
            painter.setBrush(equals ? QColor(232, 120, 40) : QColor(224, 228, 236));
            painter.drawRoundedRect(QRectF(strip.left() + col * (key + gap),
                                           keyTop + row * (key * 0.72 + gap), key, key * 0.72),
                                    2, 2);
        }
    }
}

AboutView::AboutView(shell::MainWindow& main, QWidget* owner)
    : QDialog(owner), main_(main), form_(main.aboutForm), ok_(new QPushButton(this)) {
    setObjectName(QString::fromStdString(form_.name()));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);
    setWindowModality(Qt::ApplicationModal);

    auto* lines = new QVBoxLayout;
    for (const char* name : {"Label1", "Label3", "Label2"}) {
        const auto& model = *form_.find<platform::Label>(name);
        auto* label = new QLabel(QString::fromStdString(model.caption()), this);
        label->setObjectName(QString::fromLatin1(name));
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        QFont font = label->font();
        font.setPointSizeF(model.fontSize());
        font.setBold(model.fontBold());
        label->setFont(font);
        lines->addWidget(label);
    }
    lines->addStretch();

    const auto& okModel = *form_.find<platform::Button>("Command1");
    ok_->setObjectName(QStringLiteral("Command1"));
    ok_->setText(QString::fromStdString(okModel.caption()));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this,
            [this] { form_.find<platform::Button>("Command1")->click(); });
    // Esc or the title bar's close: the window closes as its OK does.
    connect(this, &QDialog::finished, this, [this] {
        if (form_.visible()) main_.closeVersion();
    });

    auto* top = new QHBoxLayout;
    top->addWidget(new AboutPicture(this), 0, Qt::AlignTop);
    top->addLayout(lines, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    // The model's size is the outer one: the frame takes the nominal title bar and borders.
    const PixelScale scale = scaleOf(*this);
    setFixedSize(toPixels(form_.width() - NominalNonClientWidth, scale.x),
                 toPixels(form_.height() - NominalTitleBar - 2 * NominalBorder, scale.y));

    QPointer<AboutView> self(this);
    form_.subscribe([self](const platform::Control*) {
        if (self) self->refresh();
    });
    refresh();
}

void AboutView::refresh() {
    setWindowTitle(QString::fromStdString(form_.caption()));
    const PixelScale scale = scaleOf(*this);
    move(toPixels(form_.left(), scale.x), toPixels(form_.top(), scale.y));
    if (!form_.visible() && isVisible()) done(QDialog::Accepted);
}

}  // namespace vexlo::qtview
