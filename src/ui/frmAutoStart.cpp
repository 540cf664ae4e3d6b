#include "ui/frmAutoStart.h"

#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <cmath>

#include "ui/UiLook.h"

namespace zelkora {

frmAutoStart::frmAutoStart(AutoStartDialog& logic, QWidget* owner)
    : DialogWindow(logic, owner), countdown_(logic) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setWindowTitle(QString::fromUtf8(AutoStartDialog::Caption));
  setFixedSize(349, 136);
  lblLastError_ = new QLabel(this);
  lblLastError_->setGeometry(1, 0, 347, 65);
  lblLastError_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  lblLastError_->setAlignment(Qt::AlignCenter);
  lblLastError_->setWordWrap(true);
  lblLastError_->setFont(UiLook::arial(9.75, true));
  lblLastError_->setStyleSheet("color: rgb(255,0,0);");
  lblTime_ = new QLabel(this);
  lblTime_->setGeometry(1, 64, 201, 53);
  lblTime_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  lblTime_->setAlignment(Qt::AlignCenter);
  lblTime_->setFont(UiLook::arial(12.75, true));
  lblTime_->setStyleSheet("color: rgb(192,0,192);");
  auto* fraX = new QGroupBox(this);
  fraX->setGeometry(204, 64, 141, 49);
  auto* cmdSTART = new QPushButton(QString::fromUtf8("▶"), fraX);
  cmdSTART->setGeometry(4, 9, 65, 37);
  cmdSTART->setToolTip("Немедленный Автоперезапуск");
  cmdSTART->setStyleSheet("color: rgb(0,160,0); font-size: 20px;");
  cmdSTART->setObjectName("cmdSTART");
  auto* cmdSTOP = new QPushButton(QString::fromUtf8("■"), fraX);
  cmdSTOP->setGeometry(72, 9, 65, 37);
  cmdSTOP->setToolTip("Отмена Автоперезапуска");
  cmdSTOP->setStyleSheet("color: rgb(220,0,0); font-size: 20px;");
  cmdSTOP->setObjectName("cmdSTOP");
  proTime_ = new QProgressBar(this);
  proTime_->setGeometry(4, 120, 341, 13);
  proTime_->setRange(0, 100);
  proTime_->setTextVisible(false);
  connect(cmdSTART, &QPushButton::clicked, this, [this] { countdown_.cmdSTART_Click(); });
  connect(cmdSTOP, &QPushButton::clicked, this, [this] { countdown_.cmdSTOP_Click(); });
  if (owner != nullptr) {
    QWidget::move(owner->frameGeometry().center() - QPoint(174, 68));
  }
}

void frmAutoStart::renderLogic() {
  lblLastError_->setText(UiLook::displayText(countdown_.lblLastError));
  lblTime_->setText(UiLook::displayText(countdown_.lblTime));
  proTime_->setValue(static_cast<int>(std::lround(countdown_.proTime)));
}

}  // namespace zelkora
