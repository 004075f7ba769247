#pragma once
// The tape window `Tape`: the calculation tape as a list a screen reader reads line by line,
// numbers right-aligned in a column of their own, the operator or function beside them, a rule
// under each block. Lines can be selected and copied as tab text, the whole tape copied, saved
// as text or CSV, or cleared; a double click or Enter on a line puts its number into the
// display and gives the calculator the keys again; Ctrl+P goes back to the calculator, as it came.
// The window follows its model form (shown, placed, sized); closing it only hides it.

#include <QAbstractListModel>
#include <QDialog>

#include "shell/MainWindow.h"

class QListView;
class QTimer;
class QMenuBar;
class QAction;

namespace vexlo::qtview {

// The tape's lines for a list view. It notes the tape's changes as they come and shows them
// when `catchUp` runs, so that a burst of keys costs the list one update; until then each row
// still shows the line it showed.
class TapeModel : public QAbstractListModel {
    Q_OBJECT

  public:
    enum Role { NumberRole = Qt::UserRole, FunctionRole, RuleRole, WarningRole };
    explicit TapeModel(const tape::Tape& tape, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // The tape has changed: noted, and shown at the next catch-up (a reset at once).
    void follow(const tape::Tape::Change& change);
    void catchUp();
    // The tape's index of the line a row shows, or -1 when that line is gone.
    long long lineOf(int row) const;

  private:
    const tape::Tape& tape_;
    int rows_ = 0;
    int dropped_ = 0;  // lines gone from the tape's front that the rows still show
    bool lastChanged_ = false;
};

class TapeView : public QDialog {
    Q_OBJECT

  public:
    TapeView(shell::MainWindow& main, QWidget* owner);
    QListView* list() const { return list_; }

    // The actions of its menus, for tests and the context menu.
    void copySelection();
    void copyAll();
    void save();
    void clearTape();
    void pasteCurrent();

  protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void retranslate();
    void pasteLine(int row);
    void backToCalculator();
    void toNewestLine();
    void followTape(const tape::Tape::Change& change);
    void catchUp();

    shell::MainWindow& main_;
    platform::Form& form_;
    TapeModel* model_;
    QListView* list_;
    QMenuBar* menus_;
    QAction* copy_;
    QAction* copyAll_;
    QAction* save_;
    QAction* clear_;
    QAction* paste_;
    QAction* close_;
    QAction* back_;
    QTimer* catchUp_;  // the list follows the tape a moment after the keys, after the display
    bool syncing_ = false;
};

}  // namespace vexlo::qtview
