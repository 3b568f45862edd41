#pragma once
#include "calc/sizing.h"
#include "input/record_transfer.h"
#include "ui/gridedit/FieldNavigator.h"

#include <QDialog>
#include <array>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace k5 {

struct AppContext;
class LiveResultPanel;

// What the two foundation input windows share: the fields both types have,
// the rebar lists, the two tabs with their field navigation, the closing
// commands and how the window opens (a new record from the common values or
// a stored record, with what loading had to change said once it is shown).
// A window of one type builds its own fields and tabs, then calls
// finishBuilding() and activate() from its constructor.
class FoundationInputWindow : public QDialog {
    Q_OBJECT
  public:
    // False when the record to correct could not be read (the window closes
    // as soon as it is shown).
    bool loaded() const { return loaded_; }

    // The closing commands. A save that fails (a value the record cannot
    // hold, a failed check, a file that cannot be written) says so and keeps
    // the window open.
    void registerRecord();
    void recordAsIs();
    void duplicate();
    // "寸法提案": the proposal beside the shown values; 適用 copies it into the fields.
    void proposeSize();
    void reject() override;

  protected:
    FoundationInputWindow(AppContext& ctx, const EditRequest& request, int foundationType, QWidget* parent);

    void showEvent(QShowEvent* event) override;
    // The close box cancels without the question ｷｬﾝｾﾙ may ask.
    void closeEvent(QCloseEvent* event) override;

    // The fields of a window of this type as the form shows them, and back.
    virtual void showForm(const RecordForm& form) = 0;
    virtual RecordForm form() const = 0;
    // After the fields are shown while opening (and the loading flag is still set).
    virtual void afterOpening() {}
    // A size proposal's plan (footing) or arrangement and pile positions (cap)
    // into the fields; the depth is shown by the base.
    virtual void showProposedPlan(const FoundationSize& size) = 0;

    // The field of the form's input `input` (a RecordForm member name as
    // the checks name it: "Lx", "h2", "N1", "M3", ...); null when the window
    // has none. A window of one type adds its own fields.
    virtual QWidget* inputField(const QString& input) const;

    // Builders of the shared parts; the window places them.
    QLineEdit* field(const QString& name, int width = 84);
    static QLabel* caption(const QString& text, QWidget* parent);
    void buildSharedFields(); // name, memo, loads, column, thickness, embedment, materials, rebar
    // "[ 名称 ]": the name field and the note an imported job shows beside it.
    QGroupBox* buildNameGroup(QWidget* page);
    // "[ 応力 ]": N, M and H under the load-case columns; `hUnit` the unit caption of the H row.
    QGroupBox* buildLoadsGroup(QWidget* page, QLabel* hUnit);
    // The memo field between its caption and its note.
    QLayout* buildMemoArea(QWidget* page);
    // The detail tab both types share: the bearing value (fe or Pe) and the
    // materials, the rebar lists, the priority and the arrangement rules with
    // their explanations. The window adds its own lines at the end.
    QWidget* buildSharedDetailTab(const QString& bearingCaption, QLineEdit* bearing, const QString& xBars,
                                  const QString& yBars);
    QHBoxLayout* buildButtons(const QString& registerCaption);
    // Tabs, focus list and ranges; tab i starts at the place of ranges[i].first.
    void finishBuilding(QWidget* mainTab, QWidget* detailTab, const QList<QWidget*>& focusList,
                        const QList<FieldNavigator::Range>& ranges);
    // The window's layout: the unit caption, the tabs, the command buttons.
    void layOutWindow(const QString& registerCaption);
    // Opens for a new record or loads the stored one; false when loading failed.
    bool activate();
    void showSharedFields(const RecordForm& form);
    void readSharedFields(RecordForm& form) const;

    void showTab(int index);
    // Puts the focus on a field of the focus list, on its tab.
    void focusField(QWidget* field);
    // After a refused save: the focus goes to the field the message names.
    void focusRefusedInput(const Outcome& refused);
    void closeWith(int result);
    // Whether the window keeps the stored name and loads whatever is typed
    // (a correction in an imported job): those fields are read-only.
    bool nameAndLoadsLocked() const;
    // The live result beside the tabs, following every change of the form.
    void attachLiveResult();

    AppContext& ctx_;
    RecordEdit edit_;
    bool loading_ = false;
    bool loaded_ = true;
    QStringList openingNotes_; // shown once the window is up
    QString kindX_, kindY_;

    QTabWidget* tabs_ = nullptr;
    FieldNavigator* navigator_ = nullptr;
    QList<FieldNavigator::Range> ranges_;
    std::array<QLabel*, 8> unitLabels_{};
    QLineEdit *name_ = nullptr, *memo_ = nullptr;
    std::array<QLineEdit*, 5> N_{}, M_{}, H_{};
    QLineEdit *ax_ = nullptr, *ay_ = nullptr;
    QLineEdit *D1_ = nullptr, *D2_ = nullptr, *d_ = nullptr, *h1_ = nullptr, *h2_ = nullptr;
    QLineEdit *Fc_ = nullptr, *Wc_ = nullptr, *Ws_ = nullptr;
    QComboBox *gradeX_ = nullptr, *sizeX_ = nullptr, *gradeY_ = nullptr, *sizeY_ = nullptr;
    QLineEdit *edgx_ = nullptr, *edgy_ = nullptr, *pitchx_ = nullptr, *pitchy_ = nullptr;
    QLineEdit *nx_ = nullptr, *ny_ = nullptr;
    QLabel *mCaption_ = nullptr, *hCaption_ = nullptr; // captions of the M and H rows
    QButtonGroup* priority_ = nullptr;
    QPushButton* duplicate_ = nullptr;
    QLabel* importedNote_ = nullptr; // shown in an imported job
    LiveResultPanel* live_ = nullptr;
    bool correctionCaptionFirst_ = false; // "(訂正)" before the caption rather than after it

  private:
    QGroupBox* buildPriorityFrame(QWidget* page);
    QWidget* buildRebarArea(QWidget* page, const QString& xCaption, const QString& yCaption);
    QWidget* buildBarRulesArea(QWidget* page);
    void lockImportedNameAndLoads();
    void fillGradeAndSize(QComboBox* grade, QComboBox* size, const QString& gradeText,
                          const QString& sizeText, QString& kind, const QString& direction);
    void pickGrade(QComboBox* grade, QComboBox* size, QString& kind);
    // The size list shows a proposal's bar size when it holds it.
    static void showProposedBar(QComboBox* sizes, const QString& proposed);
};

} // namespace k5
