#pragma once
#include <QString>

class QLineEdit;

// Keyboard and text rules every window of the program shares.
namespace k5 {

// Limits a text field to what the job stores unchanged: at most `maxBytes`
// bytes in CP932, no "~" and no character CP932 cannot hold. What does not
// fit is refused while it is typed or pasted (nothing is cut), with a beep
// and, once for a run of refused keys, a tip at the field that names it
// (`caption`) and says why. Texts put into the field by the program are not
// checked here; the save checks them.
void limitText(QLineEdit* field, const QString& caption, int maxBytes);

// Enter (Return or the keypad's Enter) on a focused push button presses it,
// in every window of the application, as it does in dialogs on Windows. Qt
// only does so for a dialog's default buttons. Installed once per application;
// later calls do nothing.
void pressButtonsWithEnter();

} // namespace k5
