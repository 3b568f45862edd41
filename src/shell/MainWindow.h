#pragma once
#include <QMainWindow>

class QTableWidget;
class QLabel;

namespace k5 {

struct AppContext;

// The hub: the open job and its foundation list.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(AppContext& ctx, QWidget* parent = nullptr);
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    AppContext& ctx_;
    QLabel* jobName_;
    QLabel* fileName_;
    QLabel* unit_;
    QLabel* count_;
    QTableWidget* grid_;
};

} // namespace k5
