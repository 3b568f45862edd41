#pragma once
#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace k5 {

struct AppContext;
class FieldNavigator;

// "新規作成" (frm新規作成): the job name, file name and unit system of a new
// job, or the name and file name of the open job.
class JobWindow : public QDialog {
    Q_OBJECT
  public:
    // `newJob`: the names and unit of a job still to be created, whatever
    // the job in hand holds.
    explicit JobWindow(AppContext& ctx, QWidget* parent = nullptr, bool newJob = false);

    // 登録: checks the two names; on success the job state takes them
    // (trimmed) and the window closes accepted.
    void registerJob();
    // ｷｬﾝｾﾙ, Esc, the close box: the window closes rejected.
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void chooseUnit(int unitSystem, QRadioButton* option);
    void copyJobNameToFileName();
    void openCommonValues();

    AppContext& ctx_;
    QLineEdit* jobName_;
    QLineEdit* fileName_;
    QRadioButton* si_;
    QRadioButton* cgs_;
    QPushButton* register_;
    FieldNavigator* navigator_;
    bool loading_ = true;
};

// Opens the job window modally over `parent`. Returns true when the user
// registered: ctx.job.currentJobName and currentFileName then hold the new
// names (the caller rewrites the job identity). A unit option clicked in the
// window sets ctx.job.unitSystem at once, even when the window is cancelled.
bool runJobWindow(AppContext& ctx, QWidget* parent, bool newJob = false);

} // namespace k5
