#include "ui/frmMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "relay/Program.h"
#include "ui/UiLook.h"

namespace zelkora {

namespace {
constexpr int kRepaintMs = 40;
constexpr int kGaugeScale = 10000;

// Style sheets are re-applied only when they change: restyling is the costly part of a
// repaint, and the counters repaint after every relayed block.
void setCss(QWidget* widget, const QString& css) {
  if (widget->styleSheet() != css) widget->setStyleSheet(css);
}

void setText(QLabel* label, const std::string& text) {
  const QString shown = QString::fromStdString(text);
  if (label->text() != shown) label->setText(shown);
}

const char* const kLampStyle =
    "QLabel { background: rgb(0,230,0); color: black; border: 1px solid rgb(0,96,0); }"
    "QLabel:disabled { background: rgb(212,208,200); color: rgb(128,128,128);"
    " border: 1px solid rgb(160,160,160); }";
const char* const kPipeStyle =
    "QLabel { color: rgb(0,128,0); } QLabel:disabled { color: rgb(176,176,176); }";
}  // namespace

frmMain::frmMain() {
  setObjectName("frmMain");
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setWindowTitle(QString::fromUtf8("Zelkora®"));
  setFixedSize(ClientWidth, ClientHeight);
  for (int i = 1; i <= 4; ++i) icons_[static_cast<size_t>(i)] = UiLook::stateIcon(i);
  setWindowIcon(icons_[1]);
  build();
  repaint_ = new QTimer(this);
  repaint_->setSingleShot(true);
  repaint_->setInterval(kRepaintMs);
  connect(repaint_, &QTimer::timeout, this, &frmMain::paintModel);
}

void frmMain::build() {
  lblON_ = UiLook::textPanel(this, {0, 1, 177, 63}, "lblON",
                             "Скорость соединения (во включенном режиме)");
  lblON_->setFont(UiLook::arial(26, true));
  buildPorts();
  buildTransferArea();
  buildButtons();
}

void frmMain::buildPorts() {
  QFrame* lblCOMS = UiLook::panel(this, {176, 1, 301, 63}, "lblCOMS");
  auto* vs = new QLabel("vs", lblCOMS);
  vs->setObjectName("lblVS");
  vs->setGeometry(135, 4, 32, 39);
  vs->setAlignment(Qt::AlignCenter);
  vs->setFont(UiLook::arial(12, true));
  vs->setStyleSheet("color: rgb(128,0,0);");
  lblCOMGroup_[0] = UiLook::textPanel(lblCOMS, {4, 4, 131, 39}, "lblCOM11");
  lblCOMGroup_[1] = UiLook::textPanel(lblCOMS, {167, 4, 129, 39}, "lblCOM22");
  for (QLabel* l : lblCOMGroup_) {
    l->setFont(UiLook::arial(14, true));
    // The name keeps clear of the parameter panel that overlaps its lower edge.
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    l->setContentsMargins(0, 5, 0, 0);
  }
  lblParams_[0] =
      UiLook::textPanel(lblCOMS, {4, 36, 131, 21}, "lblParams1", "Параметры порта (Модем)");
  lblParams_[1] =
      UiLook::textPanel(lblCOMS, {167, 36, 129, 21}, "lblParams2", "Параметры порта (Korvane™)");
}

void frmMain::buildTransferArea() {
  QFrame* fra2 = UiLook::panel(this, {4, 64, 469, 67}, "fra2");
  lblThrough_[0] = UiLook::textPanel(fra2, {1, 4, 78, 21}, "lblThrough1",
                                     "Количество переданной информации из 1-го Порта (Модем)");
  lblCOM_[0] = UiLook::textPanel(fra2, {2, 24, 73, 21}, "lblCOM1", "Первый COM-Порт (Модем)");
  auto gauge = [fra2](const QRect& place, const char* name, const QString& tip) {
    auto* bar = new QProgressBar(fra2);
    bar->setObjectName(name);
    bar->setGeometry(place);
    bar->setTextVisible(false);
    bar->setRange(0, kGaugeScale);
    bar->setToolTip(tip);
    return bar;
  };
  proInBuffer_[0] =
      gauge({92, 4, 129, 18}, "proInBuffer1", "Заполнение Буфера приема (1-ый Порт) (Модем)");
  proOutBuffer_[0] =
      gauge({92, 24, 129, 18}, "proOutBuffer1", "Заполнение Буфера передачи (1-ый Порт) (Модем)");
  proOutBuffer_[1] = gauge({248, 4, 129, 18}, "proOutBuffer2",
                           "Заполнение Буфера передачи (2-ой Порт) (Korvane™)");
  proInBuffer_[1] =
      gauge({248, 24, 129, 18}, "proInBuffer2", "Заполнение Буфера приема (2-ой Порт) (Korvane™)");
  // The arrows fill the gaps beside and between the gauges of their row.
  const std::array<QRect, 3> gaps{QRect(79, 0, 13, 18), QRect(221, 0, 27, 18),
                                  QRect(377, 0, 15, 18)};
  for (size_t i = 0; i < 3; ++i) {
    pipe1TO2_[i] = new QLabel(QString::fromUtf8("►"), fra2);
    pipe1TO2_[i]->setObjectName(QString("lbl1TO2Pipe%1").arg(i));
    pipe1TO2_[i]->setGeometry(gaps[i].translated(0, 4));
    pipe2TO1_[i] = new QLabel(QString::fromUtf8("◄"), fra2);
    pipe2TO1_[i]->setObjectName(QString("lbl2TO1Pipe%1").arg(i));
    pipe2TO1_[i]->setGeometry(gaps[i].translated(0, 24));
    for (QLabel* l : {pipe1TO2_[i], pipe2TO1_[i]}) {
      l->setAlignment(Qt::AlignCenter);
      l->setFont(UiLook::arial(9, true));
      l->setStyleSheet(kPipeStyle);
    }
  }
  lblCOM_[1] = UiLook::textPanel(fra2, {392, 1, 74, 21}, "lblCOM2", "Второй COM-Порт (Korvane™)");
  lblThrough_[1] = UiLook::textPanel(fra2, {392, 24, 74, 21}, "lblThrough2",
                                     "Количество переданной информации из 2-го Порта (Korvane™)");

  const std::array<const char*, LampCount> lampNames{"RI", "CD", "CTS", "RTS", "DSR", "DTR"};
  const std::array<QRect, 2> staPlace{QRect(4, 44, 225, 20), QRect(240, 44, 225, 20)};
  const std::array<const char*, 2> staName{"sta1", "sta2"};
  const std::array<QString, 2> staTip{"Лампочки 1-го Порта (Модем)",
                                      "Лампочки 2-го Порта (Korvane™)"};
  for (size_t p = 0; p < 2; ++p) {
    auto* sta = new QFrame(fra2);
    sta->setObjectName(staName[p]);
    sta->setGeometry(staPlace[p]);
    sta->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    sta->setToolTip(staTip[p]);  // the lamps show their bar's tooltip
    sta->setStyleSheet(kLampStyle);
    for (size_t k = 0; k < LampCount; ++k) {
      auto* lamp = new QLabel(lampNames[k], sta);
      lamp->setObjectName(QString("%1%2").arg(staName[p]).arg(lampNames[k]));
      lamp->setGeometry(2 + static_cast<int>(k) * 37, 2, 36, 16);
      lamp->setAlignment(Qt::AlignCenter);
      lamp->setFont(UiLook::arial(7, true));
      lamp->setEnabled(false);
      lamps_[p][k] = lamp;
    }
  }
}

void frmMain::buildButtons() {
  auto* fraX = new QGroupBox(this);
  fraX->setObjectName("fraX");
  fraX->setGeometry(8, 130, 209, 49);
  auto relayButton = [fraX](int x, const char* name, const QString& tip) {
    auto* b = new QPushButton(fraX);
    b->setObjectName(name);
    b->setGeometry(x, 9, 65, 37);
    b->setToolTip(tip);
    b->setFocusPolicy(Qt::TabFocus);
    b->setIconSize(QSize(24, 24));
    return b;
  };
  cmdON_ = relayButton(4, "cmdON", "Пуск");
  cmdON_->setIcon(UiLook::symbol(UiLook::Symbol::Start));
  cmdPause_ = relayButton(72, "cmdPause", "Пауза");
  cmdPause_->setText("| |");
  cmdPause_->setFont(UiLook::arial(16, true));
  cmdPause_->setStyleSheet(
      "QPushButton { color: rgb(128,0,0); } QPushButton:disabled { color: rgb(192,160,160); }");
  cmdOFF_ = relayButton(140, "cmdOFF", "Слив/Стоп/Стоп Слива");
  cmdOFF_->setIcon(UiLook::symbol(UiLook::Symbol::Stop));

  auto button = [this](const QRect& place, const char* name, const QString& caption,
                       const QString& tip) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setGeometry(place);
    if (!tip.isEmpty()) b->setToolTip(tip);
    return b;
  };
  cmdConfig_ = button({232, 144, 109, 29}, "cmdConfig", "Настройки", {});
  cmdHide_ = button({356, 144, 37, 29}, "cmdHide", {}, "Закрыть Панель Управления");
  cmdHide_->setIcon(UiLook::symbol(UiLook::Symbol::Cross));
  cmdHide_->setIconSize(QSize(18, 18));
  cmdHelp_ = button({408, 144, 29, 29}, "cmdHelp", "?", "Помощь...");
  cmdAbout_ = button({440, 144, 29, 29}, "cmdAbout", "i", "О Программе");
  cmdHelp_->setFont(UiLook::arial(11, true));
  cmdAbout_->setFont(UiLook::arial(11, true));
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

QPushButton* frmMain::button(const char* name) const {
  return findChild<QPushButton*>(name);
}

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
  const QString caption = QString::fromStdString(m.caption);
  if (windowTitle() != caption) setWindowTitle(caption);
  const int icon = std::clamp(m.icon, 1, 4);
  if (icon != shownIcon_) {
    setWindowIcon(icons_[static_cast<size_t>(icon)]);
    shownIcon_ = icon;
  }
  setText(lblON_, m.lblON.text);
  if (m.lblON.pointSize != shownPointSize_) {
    lblON_->setFont(UiLook::arial(m.lblON.pointSize, true));
    shownPointSize_ = m.lblON.pointSize;
  }
  setCss(lblON_, UiLook::colourCss(m.lblON.colour));
  cmdON_->setEnabled(m.cmdON);
  cmdPause_->setEnabled(m.cmdPause);
  cmdOFF_->setEnabled(m.cmdOFF);
  cmdConfig_->setEnabled(m.cmdConfig);
  cmdAbout_->setEnabled(m.cmdAbout);
  cmdHelp_->setEnabled(m.cmdHelp);

  const int gaugeLook = m.smoothGauges ? 1 : 0;
  const bool restyle = gaugeLook != shownGaugeLook_;
  shownGaugeLook_ = gaugeLook;
  auto paintGauge = [restyle, &m](QProgressBar* bar, const Gauge& g) {
    if (restyle) bar->setStyleSheet(UiLook::gaugeCss(m.smoothGauges));
    const float span = std::max(g.max - g.min, 0.0001f);
    const float share = std::clamp((g.value - g.min) / span, 0.0f, 1.0f);
    bar->setValue(static_cast<int>(std::lround(share * kGaugeScale)));
    bar->setEnabled(g.enabled);
  };
  for (size_t i = 0; i < 2; ++i) {
    setText(lblCOM_[i], m.lblCOM[i]);
    setText(lblCOMGroup_[i], m.lblCOMGroup[i]);
    setText(lblParams_[i], m.lblParams[i].text);
    setCss(lblParams_[i], UiLook::colourCss(m.lblParams[i].colour));
    setText(lblThrough_[i], m.lblThrough[i]);
    for (size_t k = 0; k < LampCount; ++k) lamps_[i][k]->setEnabled(m.lamps[i][k]);
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
  auto pixels = [](int twips) {
    return static_cast<int>(std::lround(twips / double(TwipsPerPixel)));
  };
  QWidget::move(pixels(where.x), pixels(where.y));
}

Twips frmMain::screenSize() const {
  const QScreen* s = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
  const QSize size = s != nullptr ? s->geometry().size() : QSize(1024, 768);
  return {size.width() * TwipsPerPixel, size.height() * TwipsPerPixel};
}

void frmMain::unload() {
  close();
}

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
