#include "ui/frmAbout.h"

#include <QCursor>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "ui/LinkPanel.h"
#include "ui/UiLook.h"

namespace zelkora {

namespace {
// Small print, so that the addresses fit their panels.
constexpr double kLinkPointSize = 7;
}  // namespace

frmAbout::frmAbout(AboutDialog& logic, QWidget* owner) : DialogWindow(logic, owner), about_(logic) {
  setObjectName("frmAbout");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setWindowTitle(QString::fromUtf8(AboutDialog::Caption));
  setFixedSize(ClientWidth, ClientHeight);
  buildPicture();
  buildText();
  buildLinks();
  centreOn(nullptr);
}

void frmAbout::buildPicture() {
  auto* imgLogo = new QLabel(this);
  imgLogo->setObjectName("imgLogo");
  imgLogo->setGeometry(4, 4, 444, 268);
  imgLogo->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  imgLogo->setLineWidth(2);
  imgLogo->setAlignment(Qt::AlignCenter);
  const QPixmap logo(":/logo.jpg");
  if (!logo.isNull()) imgLogo->setPixmap(logo.scaled(440, 264));
  imgICO_ = new QLabel(this);
  imgICO_->setObjectName("imgICO");
  imgICO_->setGeometry(16, 8, 32, 32);
  imgICO_->setAttribute(Qt::WA_TranslucentBackground);
  // The black copy 2 px right of and 3 px below the green one gives it its shadow.
  const QFont dateFont = UiLook::arial(12, true, true);
  lblDate_[0] = UiLook::overlay(this, {73, 218, 175, 21}, "lblDate0", Qt::black, dateFont);
  lblDate_[1] = UiLook::overlay(this, {71, 215, 175, 21}, "lblDate1", QColor(0, 255, 0), dateFont);
}

void frmAbout::buildText() {
  QFrame* fra3 = UiLook::panel(this, {0, 272, 451, 77}, "fra3");
  lblVer_ = UiLook::textPanel(fra3, {4, 4, 441, 23}, "lblVer");
  auto* line = new QFrame(fra3);
  line->setObjectName("lnSeparator");
  line->setGeometry(4, 30, 441, 2);
  line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  for (size_t i = 0; i < AboutDialog::Credits.size(); ++i) {
    auto* credit = new QLabel(QString::fromUtf8(AboutDialog::Credits[i]), fra3);
    credit->setObjectName(QString("lblCredit%1").arg(i));
    credit->setGeometry(4, 34 + static_cast<int>(i) * 19, 441, 18);
    credit->setAlignment(Qt::AlignCenter);
  }
}

void frmAbout::buildLinks() {
  QFrame* SSPanel1 = UiLook::panel(this, {0, 348, 381, 33}, "SSPanel1");
  auto link = [SSPanel1](const QRect& place, const char* name) {
    auto* panel = new LinkPanel(SSPanel1);
    panel->setObjectName(name);
    panel->setGeometry(place);
    panel->setAlignment(Qt::AlignCenter);
    panel->setFont(UiLook::arial(kLinkPointSize));
    panel->setStyleSheet("color: rgb(0,0,192);");
    return panel;
  };
  lblURL_ = link({16, 8, 123, 17}, "lblURL");
  lblICQ_ = link({160, 8, 79, 17}, "lblICQ");
  lblMail_ = link({264, 8, 97, 17}, "lblMail");
  cmdOK_ = new QPushButton(this);
  cmdOK_->setObjectName("cmdOK");
  cmdOK_->setGeometry(384, 352, 61, 25);
  cmdOK_->setDefault(true);
  connect(lblURL_, &LinkPanel::clicked, this, [this] { about_.lblURL_Click(); });
  connect(lblICQ_, &LinkPanel::clicked, this, [this] { about_.lblICQ_Click(); });
  connect(lblMail_, &LinkPanel::clicked, this, [this] { about_.lblMail_Click(); });
  connect(cmdOK_, &QPushButton::clicked, this, [this] { about_.cmdOK_Click(); });
}

void frmAbout::renderLogic() {
  const AboutDialog& a = about_;
  if (a.iconShown && imgICO_->pixmap().isNull()) {
    imgICO_->setPixmap(UiLook::stateIcon(0).pixmap(32, 32));
  }
  for (size_t i = 0; i < 2; ++i) lblDate_[i]->setText(QString::fromStdString(a.lblDate[i].caption));
  lblVer_->setText(QString::fromStdString(a.lblVer.caption));
  lblURL_->setText(QString::fromStdString(a.lblURL.caption));
  lblICQ_->setText(QString::fromStdString(a.lblICQ.caption));
  lblMail_->setText(QString::fromStdString(a.lblMail.caption));
  cmdOK_->setText(QString::fromStdString(a.cmdOK.caption));
  cmdOK_->setToolTip(QString::fromStdString(a.cmdOK.toolTip));
  cmdOK_->setEnabled(a.cmdOK.enabled);
  if (a.linkCursorSet && lblURL_->cursor().shape() != Qt::BitmapCursor) {
    const QPixmap hand(":/cursors/hand.png");
    const QCursor cursor = hand.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(hand, 7, 1);
    for (LinkPanel* l : {lblURL_, lblICQ_, lblMail_}) l->setCursor(cursor);
  }
}

}  // namespace zelkora
