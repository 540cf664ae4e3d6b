#pragma once
// The control panel window: renders the panel model the core composes and forwards the
// buttons and the close request to the program. Repaints are coalesced, because the
// core repaints the counters after every relayed block.
//
// Geometry: the places and sizes of the controls are pixels at 96 dpi relative to the
// client area, and the panel's 477 x 182 is the client area: the controls reach x 477
// (lblCOMS) and y 179 (fraX), so nothing less would hold them. The window manager's
// frame and caption lie outside it.

#include <QWidget>
#include <array>

#include "relay/Panel.h"
#include "relay/PanelModel.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace zelkora {

class Program;

class frmMain : public QWidget, public Panel {
  Q_OBJECT
 public:
  static constexpr int TwipsPerPixel = 15;
  static constexpr int ClientWidth = 477;
  static constexpr int ClientHeight = 182;

  frmMain();
  void bind(Program& program);
  // Paints what render() left pending, now.
  void flush();

  // Panel
  void render(const PanelModel& model) override;
  void setBusy(bool busy) override;
  bool isEnabled() const override { return QWidget::isEnabled(); }
  bool isVisible() const override { return QWidget::isVisible(); }
  bool isNormalState() const override;
  void showNormal() override;
  void hide() override { QWidget::hide(); }
  void minimize() override { QWidget::showMinimized(); }
  void focus() override;
  Twips position() const override;
  void move(Twips where) override;
  Twips screenSize() const override;
  void unload() override;

  QPushButton* button(const char* name) const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void build();
  void buildPorts();
  void buildTransferArea();
  void buildButtons();
  void paintModel();

  Program* program_ = nullptr;
  const PanelModel* model_ = nullptr;
  QTimer* repaint_ = nullptr;
  int busy_ = 0;
  int shownIcon_ = 0;
  int shownPointSize_ = 0;
  int shownGaugeLook_ = -1;

  QLabel* lblON_ = nullptr;
  std::array<QLabel*, 2> lblCOM_{}, lblCOMGroup_{}, lblParams_{}, lblThrough_{};
  std::array<QProgressBar*, 2> proInBuffer_{}, proOutBuffer_{};
  std::array<QLabel*, 3> pipe1TO2_{}, pipe2TO1_{};
  std::array<std::array<QLabel*, LampCount>, 2> lamps_{};
  QPushButton *cmdON_ = nullptr, *cmdPause_ = nullptr, *cmdOFF_ = nullptr;
  QPushButton *cmdConfig_ = nullptr, *cmdHide_ = nullptr, *cmdHelp_ = nullptr, *cmdAbout_ = nullptr;
  std::array<QIcon, 5> icons_;
};

}  // namespace zelkora
