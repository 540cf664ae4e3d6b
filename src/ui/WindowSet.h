#pragma once
// Which window shows which dialog, and the look shared by every window.

#include <string>

class QApplication;

namespace zelkora {

class Program;
class QtOperator;
class frmMain;

class WindowSet {
 public:
  static void applyApplicationLook(QApplication& app);
  static void registerDialogs(QtOperator& op, Program& program, frmMain& panel);
  // The adapter description as stored in the program's resources (Windows-1251, CR LF);
  // empty when it is not built in.
  static std::string adapterDescription();
};

}  // namespace zelkora
