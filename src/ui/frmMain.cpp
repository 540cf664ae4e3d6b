#include "ui/frmMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cmath>

#include "relay/Program.h"
#include "ui/UiLook.h"

namespace zelkora {

namespace {
constexpr int kRepaintMs = 40;
constexpr int kGaugeScale = 10000;

QFrame* panel3D(QWidget* parent, int x, int y, int w, int h) {
  auto* frame = new QFrame(parent);
  frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
  frame->setGeometry(x, y, w, h);
  return frame;
}

QString lampStyle(bool lit) {
  return lit ? "QLabel { background: #30d030; color: black; border: 1px solid #206020; }"
             : "QLabel { background: #404040; color: #a0a0a0; border: 1px solid #202020; }";
}
}  // namespace

frmMain::frmMain() {
  setWindowFlags(Qt::Window | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setWindowTitle(QString::fromUtf8("Zelkora®"));
  setFixedSize(477, 182);
  for (int i = 1; i <= 4; ++i) icons_[static_cast<size_t>(i)] = UiLook::stateIcon(i);
  setWindowIcon(icons_[1]);
  build();
  repaint_ = new QTimer(this);
  repaint_->setSingleShot(true);
  repaint_->setInterval(kRepaintMs);
  connect(repaint_, &QTimer::timeout, this, &frmMain::paintModel);
}

QLabel* frmMain::panelLabel(QWidget* parent, int x, int y, int w, int h, const QString& tip) {
  auto* label = new QLabel(parent);
  label->setGeometry(x, y, w, h);
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setAlignment(Qt::AlignCenter);
  if (!tip.isEmpty()) label->setToolTip(tip);
  return label;
}

void frmMain::build() {
  lblON_ = panelLabel(this, 0, 1, 177, 63, "Скорость соединения (во включенном режиме)");

  QFrame* lblCOMS = panel3D(this, 176, 1, 301, 63);
  auto* vs = new QLabel("vs", lblCOMS);
  vs->setGeometry(135, 4, 32, 39);
  vs->setAlignment(Qt::AlignCenter);
  vs->setFont(UiLook::arial(12, true));
  vs->setStyleSheet("color: rgb(128,0,0);");
  lblCOMGroup_[0] = panelLabel(lblCOMS, 4, 4, 131, 33);
  lblCOMGroup_[1] = panelLabel(lblCOMS, 167, 4, 129, 33);
  for (QLabel* l : lblCOMGroup_) l->setFont(UiLook::arial(14, true));
  lblParams_[0] = panelLabel(lblCOMS, 4, 37, 131, 21, "Параметры порта (Модем)");
  lblParams_[1] = panelLabel(lblCOMS, 167, 37, 129, 21, "Параметры порта (Korvane™)");

  QFrame* fra2 = panel3D(this, 4, 64, 469, 67);
  lblThrough_[0] = panelLabel(fra2, 1, 4, 78, 21,
                              "Количество переданной информации из 1-го Порта (Модем)");
  lblCOM_[0] = panelLabel(fra2, 2, 24, 73, 21, "Первый COM-Порт (Модем)");
  auto gauge = [fra2](int x, int y, const QString& tip) {
    auto* bar = new QProgressBar(fra2);
    bar->setGeometry(x, y, 129, 18);
    bar->setTextVisible(false);
    bar->setRange(0, kGaugeScale);
    bar->setToolTip(tip);
    return bar;
  };
  proInBuffer_[0] = gauge(92, 4, "Заполнение Буфера приема (1-ый Порт) (Модем)");
  proOutBuffer_[0] = gauge(92, 24, "Заполнение Буфера передачи (1-ый Порт) (Модем)");
  proOutBuffer_[1] = gauge(248, 4, "Заполнение Буфера передачи (2-ой Порт) (Korvane™)");
  proInBuffer_[1] = gauge(248, 24, "Заполнение Буфера приема (2-ой Порт) (Korvane™)");
  const std::array<int, 3> pipeX{78, 222, 376};
  for (size_t i = 0; i < 3; ++i) {
    pipe1TO2_[i] = new QLabel(QString::fromUtf8("►"), fra2);
    pipe1TO2_[i]->setGeometry(pipeX[i], 4, 14, 18);
    pipe2TO1_[i] = new QLabel(QString::fromUtf8("◄"), fra2);
    pipe2TO1_[i]->setGeometry(pipeX[i], 24, 14, 18);
    for (QLabel* l : {pipe1TO2_[i], pipe2TO1_[i]}) {
      l->setAlignment(Qt::AlignCenter);
      l->setStyleSheet("QLabel { color: rgb(0,128,0); } QLabel:disabled { color: #b0b0b0; }");
    }
  }
  lblCOM_[1] = panelLabel(fra2, 392, 1, 74, 21, "Второй COM-Порт (Korvane™)");
  lblThrough_[1] = panelLabel(fra2, 392, 24, 74, 21,
                              "Количество переданной информации из 2-го Порта (Korvane™)");
  const std::array<const char*, LampCount> lampNames{"RI", "CD", "CTS", "RTS", "DSR", "DTR"};
  const std::array<int, 2> staX{4, 240};
  const std::array<QString, 2> staTip{"Лампочки 1-го Порта (Модем)",
                                      "Лампочки 2-го Порта (Korvane™)"};
  for (size_t p = 0; p < 2; ++p) {
    QFrame* sta = panel3D(fra2, staX[p], 44, 225, 20);
    sta->setToolTip(staTip[p]);
    for (size_t k = 0; k < LampCount; ++k) {
      auto* lamp = new QLabel(lampNames[k], sta);
      lamp->setGeometry(2 + static_cast<int>(k) * 37, 2, 35, 16);
      lamp->setAlignment(Qt::AlignCenter);
      lamp->setFont(UiLook::arial(7, true));
      lamp->setToolTip(staTip[p]);
      lamp->setStyleSheet(lampStyle(false));
      lamps_[p][k] = lamp;
    }
  }

  auto* fraX = new QGroupBox(this);
  fraX->setGeometry(8, 130, 209, 49);
  auto relayButton = [fraX](int x, const QString& text, const QString& tip, const char* css) {
    auto* b = new QPushButton(text, fraX);
    b->setGeometry(x, 9, 65, 37);
    b->setToolTip(tip);
    b->setStyleSheet(css);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
  };
  cmdON_ = relayButton(4, QString::fromUtf8("▶"), "Пуск",
                       "QPushButton { color: rgb(0,160,0); font-size: 20px; }"
                       "QPushButton:disabled { color: #a0c0a0; }");
  cmdPause_ = relayButton(72, "| |", "Пауза",
                          "QPushButton { color: rgb(128,0,0); font: bold 16px 'Arial'; }"
                          "QPushButton:disabled { color: #c0a0a0; }");
  cmdOFF_ = relayButton(140, QString::fromUtf8("■"), "Слив/Стоп/Стоп Слива",
                        "QPushButton { color: rgb(220,0,0); font-size: 20px; }"
                        "QPushButton:disabled { color: #d0a0a0; }");
  cmdConfig_ = new QPushButton("Настройки", this);
  cmdConfig_->setGeometry(232, 144, 109, 29);
  cmdHide_ = new QPushButton(QString::fromUtf8("✕"), this);
  cmdHide_->setGeometry(356, 144, 37, 29);
  cmdHide_->setToolTip("Закрыть Панель Управления");
  cmdHelp_ = new QPushButton("?", this);
  cmdHelp_->setGeometry(408, 144, 29, 29);
  cmdHelp_->setToolTip("Помощь...");
  cmdAbout_ = new QPushButton("i", this);
  cmdAbout_->setGeometry(440, 144, 29, 29);
  cmdAbout_->setToolTip("О Программе");
  cmdAbout_->setFont(UiLook::arial(11, true));
  cmdON_->setObjectName("cmdON");
  cmdPause_->setObjectName("cmdPause");
  cmdOFF_->setObjectName("cmdOFF");
  cmdConfig_->setObjectName("cmdConfig");
  cmdHide_->setObjectName("cmdHide");
  cmdHelp_->setObjectName("cmdHelp");
  cmdAbout_->setObjectName("cmdAbout");
}

void frmMain::bind(Program& program) {
  program_ = &program;
  connect(cmdON_, &QPushButton::clicked, this, [this] { program_->relay.cmdON_Click(); });
  connect(cmdPause_, &QPushButton::clicked, this, [this] { program_->relay.cmdPause_Click(); });
  connect(cmdOFF_, &QPushButton::clicked, this, [this] { program_->relay.cmdOFF_Click(); });
  connect(cmdConfig_, &QPushButton::clicked, this, [this] { program_->panel.cmdConfig_Click(); });
  connect(cmdHide_, &QPushButton::clicked, this, [this] { program_->panel.cmdHide_Click(); });
  connect(cmdHelp_, &QPushButton::clicked, this, [this] { program_->panel.cmdHelp_Click(); });
  connect(cmdAbout_, &QPushButton::clicked, this, [this] { program_->panel.cmdAbout_Click(); });
}

QPushButton* frmMain::button(const char* name) const { return findChild<QPushButton*>(name); }

void frmMain::render(const PanelModel& model) {
  model_ = &model;
  if (!repaint_->isActive()) repaint_->start();
}

void frmMain::flush() {
  repaint_->stop();
  paintModel();
}

void frmMain::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  flush();
}

void frmMain::paintModel() {
  if (model_ == nullptr) return;
  const PanelModel& m = *model_;
  setWindowTitle(QString::fromStdString(m.caption));
  setWindowIcon(icons_[static_cast<size_t>(std::clamp(m.icon, 1, 4))]);
  lblON_->setText(QString::fromStdString(m.lblON.text));
  lblON_->setFont(UiLook::arial(m.lblON.pointSize, true));
  lblON_->setStyleSheet(UiLook::colourCss(m.lblON.colour));
  cmdON_->setEnabled(m.cmdON);
  cmdPause_->setEnabled(m.cmdPause);
  cmdOFF_->setEnabled(m.cmdOFF);
  cmdConfig_->setEnabled(m.cmdConfig);
  cmdAbout_->setEnabled(m.cmdAbout);
  cmdHelp_->setEnabled(m.cmdHelp);
  for (size_t i = 0; i < 2; ++i) {
    lblCOM_[i]->setText(QString::fromStdString(m.lblCOM[i]));
    lblCOMGroup_[i]->setText(QString::fromStdString(m.lblCOMGroup[i]));
    lblParams_[i]->setText(QString::fromStdString(m.lblParams[i].text));
    lblParams_[i]->setStyleSheet(UiLook::colourCss(m.lblParams[i].colour));
    lblThrough_[i]->setText(QString::fromStdString(m.lblThrough[i]));
    for (size_t k = 0; k < LampCount; ++k) lamps_[i][k]->setStyleSheet(lampStyle(m.lamps[i][k]));
    auto paintGauge = [&m](QProgressBar* bar, const Gauge& g) {
      const float span = std::max(g.max - g.min, 0.0001f);
      const float share = std::clamp((g.value - g.min) / span, 0.0f, 1.0f);
      bar->setValue(static_cast<int>(std::lround(share * kGaugeScale)));
      bar->setEnabled(g.enabled);
      bar->setStyleSheet(m.smoothGauges ? QString() : UiLook::blockGaugeCss());
    };
    paintGauge(proInBuffer_[i], m.proInBuffer[i]);
    paintGauge(proOutBuffer_[i], m.proOutBuffer[i]);
  }
  lblThrough_[0]->setEnabled(m.pipe1TO2);
  lblThrough_[1]->setEnabled(m.pipe2TO1);
  for (size_t i = 0; i < 3; ++i) {
    pipe1TO2_[i]->setEnabled(m.pipe1TO2);
    pipe2TO1_[i]->setEnabled(m.pipe2TO1);
  }
}

void frmMain::setBusy(bool busy) {
  if (busy) {
    if (busy_++ == 0) {
      QApplication::setOverrideCursor(Qt::WaitCursor);
      setEnabled(false);
    }
  } else if (busy_ > 0 && --busy_ == 0) {
    QApplication::restoreOverrideCursor();
    setEnabled(true);
  }
}

bool frmMain::isNormalState() const {
  return !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
}

void frmMain::showNormal() {
  QWidget::showNormal();
  raise();
  activateWindow();
}

void frmMain::focus() {
  raise();
  activateWindow();
}

Twips frmMain::position() const {
  const QPoint p = frameGeometry().topLeft();
  return {p.x() * TwipsPerPixel, p.y() * TwipsPerPixel};
}

void frmMain::move(Twips where) {
  QWidget::move(where.x / TwipsPerPixel, where.y / TwipsPerPixel);
}

Twips frmMain::screenSize() const {
  const QScreen* s = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
  const QSize size = s != nullptr ? s->geometry().size() : QSize(1024, 768);
  return {size.width() * TwipsPerPixel, size.height() * TwipsPerPixel};
}

void frmMain::unload() { close(); }

void frmMain::closeEvent(QCloseEvent* event) {
  bool cancel = false;
  if (program_ != nullptr) program_->life.Form_QueryUnload(cancel);
  if (cancel) {
    event->ignore();
    return;
  }
  event->accept();
  QCoreApplication::quit();
}

}  // namespace zelkora
