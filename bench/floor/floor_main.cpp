// The floor of the start-up benchmark: what any Qt Widgets program of the calculator's shape
// costs. A window with a menu bar of three menus of fifteen items and one label in a 30 pt font,
// and nothing else.

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    for (int menu = 1; menu <= 3; ++menu) {
        QMenu* items = window.menuBar()->addMenu(QStringLiteral("Menu %1").arg(menu));
        for (int item = 1; item <= 15; ++item)
            items->addAction(QStringLiteral("Item %1").arg(item));
    }
    auto* label = new QLabel(QStringLiteral("0."), &window);
    QFont font = label->font();
    font.setPointSize(30);
    label->setFont(font);
    window.setCentralWidget(label);
    window.show();
    return QApplication::exec();
}
