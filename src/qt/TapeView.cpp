#include "qt/TapeView.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QSaveFile>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "qt/SecondaryViews.h"
#include "tape/TapeText.h"

namespace vexlo::qtview {

namespace {

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

// The number's column ends here, as a share of the line's width; the function follows it.
constexpr double NumberColumnShare = 0.55;
constexpr int Gap = 8;

// Draws a line as a printing calculator prints it: the number right-aligned, the function in a
// column of its own, a rule under the last line of a block; a warning across the whole line.
class TapeLineDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        item.text.clear();
        QStyle* style = item.widget != nullptr ? item.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);

        painter->save();
        const bool selected = (option.state & QStyle::State_Selected) != 0;
        const QPalette::ColorRole ink = selected ? QPalette::HighlightedText : QPalette::Text;
        painter->setPen(option.palette.color(ink));
        const QRect area = option.rect.adjusted(Gap / 2, 0, -Gap / 2, 0);
        if (index.data(TapeModel::WarningRole).toBool()) {
            if (!selected) painter->setPen(QColor(0xB0, 0x00, 0x20));
            painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                              index.data(TapeModel::FunctionRole).toString());
        } else {
            const int split = area.left() + static_cast<int>(area.width() * NumberColumnShare);
            const QRect number(area.left(), area.top(), split - area.left(), area.height());
            const QRect function(split + Gap, area.top(), area.right() - split - Gap,
                                 area.height());
            const QFontMetrics metrics(option.font);
            painter->drawText(number, Qt::AlignRight | Qt::AlignVCenter,
                              metrics.elidedText(index.data(TapeModel::NumberRole).toString(),
                                                 Qt::ElideLeft, number.width()));
            painter->drawText(function, Qt::AlignLeft | Qt::AlignVCenter,
                              metrics.elidedText(index.data(TapeModel::FunctionRole).toString(),
                                                 Qt::ElideRight, function.width()));
        }
        if (index.data(TapeModel::RuleRole).toBool()) {
            painter->setPen(QPen(option.palette.color(QPalette::Mid), 1));
            painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        }
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), QFontMetrics(option.font).height() + 6));
        return size;
    }
};

}  // namespace

TapeModel::TapeModel(const tape::Tape& tape, QObject* parent)
    : QAbstractListModel(parent), tape_(tape), rows_(static_cast<int>(tape.size())) {}

int TapeModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

QVariant TapeModel::data(const QModelIndex& index, int role) const {
    const long long at = index.isValid() ? lineOf(index.row()) : -1;
    if (at < 0) return {};
    const tape::Line& line = tape_.lines()[static_cast<std::size_t>(at)];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole: {
            // What a screen reader speaks for the line, and what a copy of it holds.
            QString spoken = text(line.number);
            if (!line.number.empty() && !line.function.empty()) spoken += ' ';
            return spoken + text(line.function);
        }
        case NumberRole:
            return text(line.number);
        case FunctionRole:
            return text(line.function);
        case RuleRole:
            return line.ruleBelow;
        case WarningRole:
            return line.kind == tape::Line::Kind::Warning;
        default:
            return {};
    }
}

long long TapeModel::lineOf(int row) const {
    const long long at = static_cast<long long>(row) - dropped_;
    if (row < 0 || row >= rows_ || at < 0 || static_cast<std::size_t>(at) >= tape_.size())
        return -1;
    return at;
}

void TapeModel::follow(const tape::Tape::Change& change) {
    using Kind = tape::Tape::Change::Kind;
    switch (change.kind) {
        case Kind::Appended:
            break;  // the tape's size tells
        case Kind::FirstDropped:
            ++dropped_;
            break;
        case Kind::LastReplaced:
            lastChanged_ = true;
            break;
        case Kind::Reset:
            beginResetModel();
            rows_ = static_cast<int>(tape_.size());
            dropped_ = 0;
            lastChanged_ = false;
            endResetModel();
            break;
    }
}

void TapeModel::catchUp() {
    if (dropped_ > 0) {
        const int gone = std::min(dropped_, rows_);
        if (gone > 0) {
            beginRemoveRows({}, 0, gone - 1);
            rows_ -= gone;
            dropped_ = 0;
            endRemoveRows();
        }
        dropped_ = 0;
    }
    const int lines = static_cast<int>(tape_.size());
    if (lines > rows_) {
        beginInsertRows({}, rows_, lines - 1);
        rows_ = lines;
        endInsertRows();
    }
    if (lastChanged_ && rows_ > 0) emit dataChanged(index(rows_ - 1), index(rows_ - 1));
    lastChanged_ = false;
}

TapeView::TapeView(shell::MainWindow& main, QWidget* owner)
    : QDialog(owner, Qt::Window),
      main_(main),
      form_(main.tapeWindow),
      model_(new TapeModel(main.tape, this)),
      list_(new QListView(this)),
      menus_(new QMenuBar(this)),
      copy_(new QAction(this)),
      copyAll_(new QAction(this)),
      save_(new QAction(this)),
      clear_(new QAction(this)),
      paste_(new QAction(this)),
      close_(new QAction(this)),
      back_(new QAction(this)),
      catchUp_(new QTimer(this)) {
    // Long enough for the calculator's display to be drawn first, short enough to look at once.
    catchUp_->setSingleShot(true);
    catchUp_->setInterval(30);
    connect(catchUp_, &QTimer::timeout, this, &TapeView::catchUp);
    setObjectName(QString::fromStdString(form_.name()));
    list_->setObjectName(QStringLiteral("TapeList"));
    list_->setModel(model_);
    list_->setItemDelegate(new TapeLineDelegate(list_));
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setUniformItemSizes(true);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->installEventFilter(this);
    list_->setContextMenuPolicy(Qt::ActionsContextMenu);

    copy_->setShortcut(QKeySequence::Copy);
    copyAll_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    save_->setShortcut(QKeySequence::Save);
    clear_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
    back_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    for (QAction* action : {copy_, copyAll_, save_, clear_, paste_, close_, back_}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    connect(copy_, &QAction::triggered, this, &TapeView::copySelection);
    connect(copyAll_, &QAction::triggered, this, &TapeView::copyAll);
    connect(save_, &QAction::triggered, this, &TapeView::save);
    connect(clear_, &QAction::triggered, this, &TapeView::clearTape);
    connect(paste_, &QAction::triggered, this, &TapeView::pasteCurrent);
    connect(close_, &QAction::triggered, this, [this] { main_.closeTape(); });
    connect(back_, &QAction::triggered, this, &TapeView::backToCalculator);
    connect(list_, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { pasteLine(index.row()); });
    for (QAction* action : {paste_, copy_, copyAll_}) list_->addAction(action);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menus_);
    layout->addWidget(list_);

    // A reject (Esc) closes the window as its title bar's close does.
    connect(this, &QDialog::finished, this, [this] { main_.closeTape(); });

    QPointer<TapeView> self(this);
    main_.tape.subscribe([self](const tape::Tape::Change& change) {
        if (self) self->followTape(change);
    });
    form_.subscribe([self](const platform::Control* control) {
        if (!self) return;
        if (control == nullptr) self->retranslate();
        self->syncing_ = true;
        placeFromModel(*self, self->form_);
        self->syncing_ = false;
    });
    main_.form.subscribe([self](const platform::Control* control) {
        if (self && control == nullptr) self->retranslate();  // the language switch
    });

    const PixelScale scale = scaleOf(*this);
    syncing_ = true;
    fitToAvailableArea(*this, {toPixels(form_.width(), scale.x), toPixels(form_.height(), scale.y)},
                       owner);
    retranslate();
    placeFromModel(*this, form_);
    syncing_ = false;
    toNewestLine();
    list_->setFocus(Qt::OtherFocusReason);
}

void TapeView::retranslate() {
    const bool japanese = main_.calculator.japanese();
    auto say = [japanese](const char* ja, const char* en) {
        return japanese ? QString::fromUtf8(ja) : QString::fromUtf8(en);
    };
    setWindowTitle(text(form_.caption()));
    nameForReaders(*this, form_, main_);
    list_->setAccessibleName(say("計算テープ", "Calculation tape"));
    menus_->setAccessibleName(say("計算テープのメニュー", "Tape menu"));
    copy_->setText(say("選んだ行をコピー(&C)", "&Copy Selected Lines"));
    copyAll_->setText(say("すべてコピー(&A)", "Copy &All"));
    save_->setText(say("名前を付けて保存(&S)...", "&Save As..."));
    clear_->setText(say("テープをクリア(&L)...", "C&lear Tape..."));
    paste_->setText(say("数値を表示へ(&P)\tEnter", "&Put Number into Display\tEnter"));
    close_->setText(say("閉じる(&X)\tEsc", "Clo&se\tEsc"));
    back_->setText(say("電卓に戻る(&B)", "&Back to the Calculator"));
    menus_->clear();
    QMenu* file = menus_->addMenu(say("ファイル(&F)", "&File"));
    file->addAction(save_);
    file->addSeparator();
    file->addAction(back_);
    file->addAction(close_);
    QMenu* edit = menus_->addMenu(say("編集(&E)", "&Edit"));
    edit->addAction(paste_);
    edit->addSeparator();
    edit->addAction(copy_);
    edit->addAction(copyAll_);
    edit->addSeparator();
    edit->addAction(clear_);
}

void TapeView::followTape(const tape::Tape::Change& change) {
    model_->follow(change);
    if (change.kind == tape::Tape::Change::Kind::Reset) {
        toNewestLine();
    } else if (!catchUp_->isActive()) {
        catchUp_->start();
    }
}

void TapeView::catchUp() {
    const QModelIndex current = list_->currentIndex();
    const bool atEnd = !current.isValid() || current.row() == model_->rowCount() - 1;
    model_->catchUp();
    // A user reading back up the tape is left there; otherwise the newest line stays in view.
    if (atEnd) toNewestLine();
}

void TapeView::copySelection() {
    QModelIndexList rows = list_->selectionModel()->selectedRows();
    if (rows.isEmpty() && list_->currentIndex().isValid()) rows.append(list_->currentIndex());
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::string copied;
    for (const QModelIndex& row : rows) {
        const long long line = model_->lineOf(row.row());
        if (line >= 0)
            copied += tape::tabText(main_.tape.lines(), static_cast<std::size_t>(line), 1);
    }
    if (!copied.empty()) QApplication::clipboard()->setText(text(copied));
}

void TapeView::copyAll() {
    if (main_.tape.empty()) return;
    QApplication::clipboard()->setText(
        text(tape::tabText(main_.tape.lines(), 0, main_.tape.size())));
}

void TapeView::save() {
    const bool japanese = main_.calculator.japanese();
    const QString textFilter =
        japanese ? QString::fromUtf8("テキスト (*.txt)") : QStringLiteral("Text (*.txt)");
    const QString csvFilter = QStringLiteral("CSV (*.csv)");
    QString filter;
    QString path = QFileDialog::getSaveFileName(
        this, japanese ? QString::fromUtf8("計算テープを保存") : QStringLiteral("Save Tape"),
        japanese ? QString::fromUtf8("計算テープ.txt") : QStringLiteral("tape.txt"),
        textFilter + QStringLiteral(";;") + csvFilter, &filter);
    if (path.isEmpty()) return;
    const bool csv =
        filter == csvFilter || path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
    if (filter == csvFilter && !path.contains('.')) path += QStringLiteral(".csv");
    const std::string content =
        tape::fileText(main_.tape.lines(), csv ? tape::FileFormat::Csv : tape::FileFormat::Text);
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.write(content.data(), static_cast<qint64>(content.size())) ==
                             static_cast<qint64>(content.size()) &&
                         file.commit();
    if (!written) {
        QMessageBox::warning(
            this, text(form_.caption()),
            (japanese ? QString::fromUtf8("ファイルに保存できませんでした:\n%1\n%2")
                      : QStringLiteral("The tape could not be saved:\n%1\n%2"))
                .arg(path, file.errorString()));
    }
}

void TapeView::clearTape() {
    if (main_.tape.empty()) return;
    const bool japanese = main_.calculator.japanese();
    const auto answer = QMessageBox::question(
        this, text(form_.caption()),
        japanese
            ? QString::fromUtf8("計算テープの %1 行をすべて消去しますか?").arg(main_.tape.size())
            : QStringLiteral("Clear all %1 lines of the tape?").arg(main_.tape.size()));
    if (answer == QMessageBox::Yes) main_.clearTape();
}

void TapeView::pasteCurrent() {
    const QModelIndex current = list_->currentIndex();
    if (current.isValid()) pasteLine(current.row());
}

// The number goes on into the calculation: the calculator takes the keys again.
void TapeView::pasteLine(int row) {
    const long long line = model_->lineOf(row);
    if (line < 0) return;
    main_.pasteFromTape(static_cast<std::size_t>(line));
    backToCalculator();
}

void TapeView::backToCalculator() {
    if (QWidget* calculator = parentWidget()) {
        calculator->raise();
        calculator->activateWindow();
    }
}

// The keyboard and a screen reader start on the newest line, where the sum ends.
void TapeView::toNewestLine() {
    const int rows = model_->rowCount();
    if (rows == 0) return;
    list_->selectionModel()->setCurrentIndex(model_->index(rows - 1),
                                             QItemSelectionModel::NoUpdate);
    list_->scrollToBottom();
}

bool TapeView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            pasteCurrent();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TapeView::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    model_->catchUp();
    toNewestLine();  // opened again, it is on the newest line again
    list_->setFocus(Qt::OtherFocusReason);
}

void TapeView::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    if (!syncing_) movedByUser(*this, form_);
}

void TapeView::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (syncing_ || !isVisible()) return;
    const PixelScale scale = scaleOf(*this);
    syncing_ = true;
    form_.setWidth(toTwips(width(), scale.x));
    form_.setHeight(toTwips(height(), scale.y));
    syncing_ = false;
}

void TapeView::closeEvent(QCloseEvent* event) {
    main_.closeTape();
    event->accept();
}

}  // namespace vexlo::qtview
