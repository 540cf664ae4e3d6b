#include "ui/frmConfig.h"

#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>

#include "ui/ControlBinding.h"
#include "ui/frmConfigAdapterPage.h"
#include "ui/frmConfigConnectionPage.h"
#include "ui/frmConfigInterfacePage.h"
#include "ui/frmConfigOptionsPage.h"

namespace zelkora {

frmConfig::frmConfig(ConfigDialog& logic, QWidget* owner)
    : DialogWindow(logic, owner), config_(logic) {
  setObjectName("frmConfig");
  // A fixed dialog border with a close box, no minimise or maximise box.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setWindowTitle(QString::fromUtf8(ConfigDialog::Caption));
  setFixedSize(ClientWidth, ClientHeight);

  sst_ = new QTabWidget(this);
  sst_->setObjectName("sst");
  sst_->setGeometry(4, 4, 452, 386);
  auto repaint = [this] { renderLogic(); };
  pages_[0] = new frmConfigConnectionPage(logic.connectionPage, sst_, repaint);
  pages_[1] = new frmConfigAdapterPage(logic.adapterPage, sst_, repaint);
  pages_[2] = new frmConfigOptionsPage(logic.optionsPage, sst_, repaint);
  pages_[3] = new frmConfigInterfacePage(logic.interfacePage, sst_, repaint);
  for (size_t i = 0; i < pages_.size(); ++i) {
    sst_->addTab(pages_[i], QString::fromUtf8(ConfigDialog::TabCaptions[i]));
  }
  connect(sst_, &QTabWidget::currentChanged, this, [this](int tab) {
    config_.sst_Click(tab);
    renderLogic();
  });

  auto button = [this](int x, const char* name, void (ConfigDialog::*clicked)()) {
    auto* b = new QPushButton(this);
    b->setObjectName(name);
    b->setGeometry(x, 398, 84, 28);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, clicked] {
      (config_.*clicked)();
      renderLogic();
    });
    return b;
  };
  cmdOK_ = button(280, "cmdOK", &ConfigDialog::cmdOK_Click);
  cmdCancel_ = button(370, "cmdCancel", &ConfigDialog::cmdCancel_Click);
  centreOn(owner);
}

void frmConfig::renderLogic() {
  {
    const QSignalBlocker quiet(sst_);
    if (sst_->currentIndex() != config_.sst) sst_->setCurrentIndex(config_.sst);
  }
  for (frmConfigPage* page : pages_) page->render();
  ControlBinding::render(cmdOK_, config_.cmdOK);
  ControlBinding::render(cmdCancel_, config_.cmdCancel);
}

}  // namespace zelkora
