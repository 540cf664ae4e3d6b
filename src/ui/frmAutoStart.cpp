#include "ui/frmAutoStart.h"

#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <cmath>

#include "ui/UiLook.h"

namespace zelkora {

// As with the panel, the 349 x 136 of the look is the client area: the progress bar
// ends at y 133 and the fault text at x 348.
frmAutoStart::frmAutoStart(AutoStartDialog& logic, QWidget* owner)
    : DialogWindow(logic, owner), countdown_(logic) {
  setObjectName("frmAutoStart");
  // No close box, no minimise or maximise box: the two buttons answer.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setWindowTitle(QString::fromUtf8(AutoStartDialog::Caption));
  setFixedSize(349, 136);
  lblLastError_ = UiLook::textPanel(this, {1, 0, 347, 65}, "lblLastError");
  lblLastError_->setWordWrap(true);
  lblLastError_->setFont(UiLook::arial(9.75, true));
  lblLastError_->setStyleSheet("color: rgb(255,0,0);");
  lblTime_ = UiLook::textPanel(this, {1, 64, 201, 53}, "lblTime");
  lblTime_->setFont(UiLook::arial(12.75, true));
  lblTime_->setStyleSheet("color: rgb(192,0,192);");
  auto* fraX = new QGroupBox(this);
  fraX->setObjectName("fraX");
  fraX->setGeometry(204, 64, 141, 49);
  auto button = [fraX](int x, const char* name, UiLook::Symbol symbol, const QString& tip) {
    auto* b = new QPushButton(fraX);
    b->setObjectName(name);
    b->setGeometry(x, 9, 65, 37);
    b->setIcon(UiLook::symbol(symbol));
    b->setIconSize(QSize(24, 24));
    b->setToolTip(tip);
    b->setAutoDefault(false);
    return b;
  };
  auto* cmdSTART = button(4, "cmdSTART", UiLook::Symbol::Start, "Немедленный Автоперезапуск");
  auto* cmdSTOP = button(72, "cmdSTOP", UiLook::Symbol::Stop, "Отмена Автоперезапуска");
  proTime_ = new QProgressBar(this);
  proTime_->setObjectName("proTime");
  proTime_->setGeometry(4, 120, 341, 13);
  proTime_->setRange(0, 100);
  proTime_->setTextVisible(false);
  proTime_->setStyleSheet(UiLook::gaugeCss(false));
  connect(cmdSTART, &QPushButton::clicked, this, [this] { countdown_.cmdSTART_Click(); });
  connect(cmdSTOP, &QPushButton::clicked, this, [this] { countdown_.cmdSTOP_Click(); });
  centreOn(owner);
}

void frmAutoStart::renderLogic() {
  lblLastError_->setText(UiLook::displayText(countdown_.lblLastError));
  lblTime_->setText(UiLook::displayText(countdown_.lblTime));
  proTime_->setValue(static_cast<int>(std::lround(countdown_.proTime)));
}

}  // namespace zelkora
