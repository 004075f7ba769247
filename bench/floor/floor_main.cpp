// The floor of the window benchmarks: what any Qt Widgets program of the calculator's shape
// costs. A window with a menu bar of three menus of fifteen items and one label in a 30 pt font,
// and nothing else; each key changes the label's number, so a key's cost to the pixels can be
// measured here too.

#include <QApplication>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

namespace {

class FloorWindow : public QMainWindow {
  public:
    FloorWindow() : label_(new QLabel(QStringLiteral("0."), this)) {
        for (int menu = 1; menu <= 3; ++menu) {
            QMenu* items = menuBar()->addMenu(QStringLiteral("Menu %1").arg(menu));
            for (int item = 1; item <= 15; ++item)
                items->addAction(QStringLiteral("Item %1").arg(item));
        }
        QFont font = label_->font();
        font.setPointSize(30);
        label_->setFont(font);
        setCentralWidget(label_);
    }

  protected:
    void keyPressEvent(QKeyEvent*) override {
        label_->setText(QString::number(++keys_) + QLatin1Char('.'));
    }

  private:
    QLabel* label_;
    long keys_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    FloorWindow window;
    window.show();
    return QApplication::exec();
}
