#pragma once
// Which window shows which dialog, and the look shared by every window.

class QApplication;

namespace zelkora {

class Program;
class QtOperator;
class frmMain;

class WindowSet {
 public:
  static void applyApplicationLook(QApplication& app);
  static void registerDialogs(QtOperator& op, Program& program, frmMain& panel);
};

}  // namespace zelkora
