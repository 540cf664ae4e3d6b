#pragma once
// The control panel's own buttons and window events, callable whether the panel is
// visible or not; the tray menu calls the same operations.

#include <string>

namespace zelkora {

class Program;

class PanelCommands {
 public:
  explicit PanelCommands(Program& program) : p_(program) {}

  void Form_Load();
  // Moves the window to the stored position (corrected when off the screen).
  void Form_Activate();
  // Records the window position.
  void Form_Deactivate();
  void cmdHide_Click();
  void cmdConfig_Click();
  void cmdAbout_Click();
  void cmdHelp_Click();
  // Opens a document or an address through the desktop; warns when it cannot.
  void RunNotepadDoc(const std::string& document);

 private:
  Program& p_;
};

}  // namespace zelkora
