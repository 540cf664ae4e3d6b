#include "ui/frmConfigInterfacePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>

#include "ui/ControlBinding.h"

namespace zelkora {

frmConfigInterfacePage::frmConfigInterfacePage(InterfacePage& logic, QWidget* parent,
                                               std::function<void()> repaint)
    : frmConfigPage(parent, std::move(repaint)), page_(logic) {
  setObjectName("page3");
  InterfacePage& p = page_;
  QGroupBox* start =
      frame(this, {8, 4, 430, 254}, "fraStart", QString::fromUtf8(InterfacePage::StartFrame));
  // The frame fraAutorun has the check box chkAutoRun for its title: a control of its own
  // in the title's place, so that it stays usable while the frame is disabled.
  fraAutorun_ = frame(start, {10, 40, 410, 58}, "fraAutorun", {});
  chkAutoMeON_ = check(fraAutorun_, {14, 8, 380, 20}, "chkAutoMeON",
                       [&p](bool on) { p.chkAutoMeON_Click(on); });
  chkAutoCplON_ = check(fraAutorun_, {14, 30, 380, 20}, "chkAutoCplON",
                        [&p](bool on) { p.chkAutoCplON_Click(on); });
  chkAutoRun_ =
      check(start, {12, 20, 260, 20}, "chkAutoRun", [&p](bool on) { p.chkAutoRun_Click(on); });

  QGroupBox* plain = frame(start, {10, 102, 410, 110}, "fraPlainStart",
                           QString::fromUtf8(InterfacePage::PlainStartFrame));
  chkMeON_ = check(plain, {14, 20, 380, 20}, "chkMeON", [&p](bool on) { p.chkMeON_Click(on); });
  chkCplON_ = check(plain, {14, 42, 380, 20}, "chkCplON", [&p](bool on) { p.chkCplON_Click(on); });
  auto* separator = new QFrame(plain);
  separator->setObjectName("lnPlainStart");
  separator->setGeometry(14, 68, 382, 2);
  separator->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  chkSaveCplON_ =
      check(plain, {14, 78, 380, 20}, "chkSaveCplON", [&p](bool on) { p.chkSaveCplON_Click(on); });

  label(start, {14, 222, 100, 22}, "lblLogo", QString::fromUtf8(InterfacePage::SplashLabel));
  cboLogo_ = combo(start, {116, 222, 302, 22}, "cboLogo", [&p](int i) { p.cboLogo_Click(i); });

  QGroupBox* closing =
      frame(this, {8, 264, 430, 78}, "fraClose", QString::fromUtf8(InterfacePage::CloseFrame));
  chkAutoClose_ = check(closing, {14, 22, 400, 20}, "chkAutoClose",
                        [&p](bool on) { p.chkAutoClose_Click(on); });
  chkAutoCloseEnsure_ = check(closing, {14, 46, 400, 20}, "chkAutoCloseEnsure",
                              [&p](bool on) { p.chkAutoCloseEnsure_Click(on); });
}

void frmConfigInterfacePage::render() {
  ControlBinding::render(chkAutoRun_, page_.chkAutoRun);
  ControlBinding::enable(fraAutorun_, page_.fraAutorun.enabled);
  ControlBinding::render(chkAutoMeON_, page_.chkAutoMeON);
  ControlBinding::render(chkAutoCplON_, page_.chkAutoCplON);
  ControlBinding::render(chkMeON_, page_.chkMeON);
  ControlBinding::render(chkCplON_, page_.chkCplON);
  ControlBinding::render(chkSaveCplON_, page_.chkSaveCplON);
  ControlBinding::render(cboLogo_, page_.cboLogo);
  ControlBinding::render(chkAutoClose_, page_.chkAutoClose);
  ControlBinding::render(chkAutoCloseEnsure_, page_.chkAutoCloseEnsure);
}

}  // namespace zelkora
