#pragma once
#include "input/record_transfer.h"

#include <QDialog>
#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace k5 {

struct AppContext;
class FieldNavigator;

// "独立基礎" (frm01独立基礎): one isolated footing of the job, new (appended to
// the job) or the correction of a stored record, as the request says. Closes
// on ﾁｪｯｸ記録終了 when the checks pass and the record is saved, on 現状記録終了,
// and on ｷｬﾝｾﾙ (nothing saved). A save that fails says so and keeps the window.
class IsolatedFootingWindow : public QDialog {
    Q_OBJECT
  public:
    IsolatedFootingWindow(AppContext& ctx, const EditRequest& request, QWidget* parent = nullptr);

    // False when the record to correct could not be read (the window closes
    // as soon as it is shown).
    bool loaded() const { return loaded_; }

    void registerRecord();
    void recordAsIs();
    void duplicate();
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void buildFields();
    QWidget* buildMainTab();
    QWidget* buildDetailTab();
    bool activate();
    void showForm(const RecordForm& form);
    RecordForm form() const;
    void applyCentre(QCheckBox* box, QLineEdit* offset, QLabel* caption);
    void centreClicked(QCheckBox* box, QLineEdit* offset, QLabel* caption);
    void fillGradeAndSize(QComboBox* grade, QComboBox* size, const QString& gradeText,
                          const QString& sizeText, QString& kind);
    void pickGrade(QComboBox* grade, QComboBox* size, QString& kind);
    void showTab(int index);
    void closeWith(int result);
    QLineEdit* field(const QString& name, int width = 84);

    AppContext& ctx_;
    RecordEdit edit_;
    bool loading_ = false;
    bool loaded_ = true;
    QString kindX_, kindY_;

    QTabWidget* tabs_ = nullptr;
    FieldNavigator* navigator_ = nullptr;
    std::array<QLabel*, 8> unitLabels_{};
    QLineEdit *name_ = nullptr, *memo_ = nullptr;
    std::array<QLineEdit*, 5> N_{}, M_{}, H_{};
    QLineEdit *ax_ = nullptr, *ay_ = nullptr, *Lx1_ = nullptr, *Ly1_ = nullptr;
    QLabel *Lx1Caption_ = nullptr, *Ly1Caption_ = nullptr;
    QCheckBox *centreX_ = nullptr, *centreY_ = nullptr;
    QLineEdit *Lx_ = nullptr, *Ly_ = nullptr, *D1_ = nullptr, *D2_ = nullptr, *d_ = nullptr;
    QLineEdit *h1_ = nullptr, *h2_ = nullptr;
    QLineEdit *fe_ = nullptr, *Fc_ = nullptr, *Wc_ = nullptr, *Ws_ = nullptr;
    QComboBox *gradeX_ = nullptr, *sizeX_ = nullptr, *gradeY_ = nullptr, *sizeY_ = nullptr;
    QLineEdit *edgx_ = nullptr, *edgy_ = nullptr, *pitchx_ = nullptr, *pitchy_ = nullptr;
    QLineEdit *nx_ = nullptr, *ny_ = nullptr;
    QButtonGroup* priority_ = nullptr;
    QPushButton* duplicate_ = nullptr;
};

} // namespace k5
