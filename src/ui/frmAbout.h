#pragma once
// The About box: the logo with the program icon and the shadowed time of the program's
// file over it, the version line and the credits, the three links and OK. It renders the
// About box's logic and forwards the clicks.

#include <array>

#include "relay/AboutDialog.h"
#include "ui/DialogWindow.h"

class QLabel;
class QPushButton;

namespace zelkora {

class LinkPanel;

class frmAbout : public DialogWindow {
  Q_OBJECT
 public:
  // The 451 x 384 of the look is the client area: the links panel ends at y 381.
  static constexpr int ClientWidth = 451;
  static constexpr int ClientHeight = 384;

  frmAbout(AboutDialog& logic, QWidget* owner);
  void renderLogic() override;

 private:
  void buildPicture();
  void buildText();
  void buildLinks();

  AboutDialog& about_;
  QLabel* imgICO_ = nullptr;
  std::array<QLabel*, 2> lblDate_{};
  QLabel* lblVer_ = nullptr;
  LinkPanel *lblURL_ = nullptr, *lblICQ_ = nullptr, *lblMail_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
};

}  // namespace zelkora
