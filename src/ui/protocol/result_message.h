#pragma once
// The one message box every operation ends with on failure: empty title,
// the stop icon, an OK button, on top of other windows. Tests replace the
// box with an interceptor instead of waiting on it.
#include <QString>
#include <functional>

class QWidget;

namespace trennic {
class NodeTable;
}

namespace trennic::ui {

void showResultMessage(QWidget* parent, int result);
// Any other message of the program in the same form ("Invalid password.").
void showErrorMessage(QWidget* parent, const QString& text);

// When the last action left a write of the settings file undone, says so
// once ("Error occurred." and which file); true when it did.
bool reportSettingsWriteFailure(QWidget* parent, NodeTable& nodes);

// While set, messages go to the interceptor instead of a box.
void setMessageInterceptor(std::function<void(const QString&)> interceptor);

// A Yes/No question whose default is No, for going on with something that
// may harm a unit; true for Yes.
bool askYesNo(QWidget* parent, const QString& text);
// While set, questions go to the interceptor, which gives the answer.
void setQuestionInterceptor(std::function<bool(const QString&)> interceptor);

}  // namespace trennic::ui
