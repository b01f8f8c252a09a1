// The column of Operate, OK, Next and Help that the cell dialogs share.
#pragma once

#include <functional>

class QDialog;
class QLayout;

namespace torvel {

struct OperateHandlers {
    std::function<void()> Operate, Ok, Next, Help;
};

// Lays `left` out beside the buttons. Enter operates: OK only closes, as
// Escape does, so Enter on OK would throw away what was just typed.
void LayOutWithOperateButtons(QDialog& dialog, QLayout* left, OperateHandlers handlers);

} // namespace torvel
