#include "ui/frmConfigAdapterPage.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

#include "ui/ControlBinding.h"
#include "ui/UiLook.h"

namespace zelkora {

frmConfigAdapterPage::frmConfigAdapterPage(AdapterPage& logic, QWidget* parent,
                                           std::function<void()> repaint)
    : frmConfigPage(parent, std::move(repaint)), page_(logic) {
  setObjectName("page1");
  lstDuplex_ = new QListWidget(this);
  lstDuplex_->setObjectName("lstDuplex");
  lstDuplex_->setGeometry(8, 6, 430, 58);
  lstDuplex_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(lstDuplex_, &QListWidget::currentRowChanged, this,
          [this](int row) { forward([&] { page_.lstDuplex_Click(row); }); });
  auto option = [this](int y, const char* name, void (AdapterPage::*handler)()) {
    auto* button = new QRadioButton(this);
    button->setObjectName(name);
    button->setGeometry(8, y, 430, 20);
    connect(button, &QRadioButton::clicked, this,
            [this, handler] { forward([&] { (page_.*handler)(); }); });
    return button;
  };
  optNoUseHW_ = option(70, "optNoUseHW", &AdapterPage::optNoUseHW_Click);
  optUseHW_ = option(92, "optUseHW", &AdapterPage::optUseHW_Click);

  QGroupBox* fraHW = frame(this, {8, 114, 430, 238}, "fraHW1", {});
  lblHW_[0] = label(fraHW, {8, 12, 198, 40}, "lblHW0");
  lblHW_[0]->setWordWrap(true);
  lblHW_[0]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  auto* powered = UiLook::panel(fraHW, {214, 6, 208, 60}, "lblHW2");
  hwPanel_ = powered;
  lblHW_[2] = label(powered, {2, 2, 204, 18}, "lblHW2Caption");
  lblHW_[2]->setAlignment(Qt::AlignCenter);
  lblHW_[2]->setFont(UiLook::arial(8.25, true));
  lblHW_[4] = label(powered, {2, 19, 204, 24}, "lblHW4");
  lblHW_[4]->setAlignment(Qt::AlignCenter);
  lblHW_[4]->setWordWrap(true);
  lblHW_[4]->setFont(UiLook::arial(7));
  lblHWRev_ = label(powered, {2, 42, 204, 16}, "lblHWRev");
  lblHWRev_->setAlignment(Qt::AlignCenter);
  txtInfo_ = new QTextEdit(fraHW);
  txtInfo_->setObjectName("txtInfo");
  txtInfo_->setGeometry(8, 70, 414, 98);
  txtInfo_->setReadOnly(true);
  txtInfo_->setAcceptRichText(false);
  txtInfo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  txtInfo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  txtInfo_->setStyleSheet("QTextEdit { color: rgb(255,255,0); background: rgb(0,0,0); }");
  lblHW_[3] = label(fraHW, {8, 178, 60, 22}, "lblHW3");
  cboLPT_ = combo(fraHW, {70, 178, 222, 22}, "cboLPT", [this](int i) { page_.cboLPT_Click(i); });
  cmdChangeLPT_ = new QPushButton(fraHW);
  cmdChangeLPT_->setObjectName("cmdChangeLPT");
  cmdChangeLPT_->setGeometry(298, 177, 124, 24);
  connect(cmdChangeLPT_, &QPushButton::clicked, this,
          [this] { forward([&] { page_.cmdChangeLPT_Click(); }); });
  lblHW_[1] = label(fraHW, {8, 208, 60, 22}, "lblHW1");
  cboHWMode_ =
      combo(fraHW, {70, 208, 352, 22}, "cboHWMode", [this](int i) { page_.cboHWMode_Click(i); });
}

void frmConfigAdapterPage::render() {
  ControlBinding::render(lstDuplex_, page_.lstDuplex);
  ControlBinding::render(optNoUseHW_, page_.optNoUseHW);
  ControlBinding::render(optUseHW_, page_.optUseHW);
  for (size_t i = 0; i < lblHW_.size(); ++i) ControlBinding::render(lblHW_[i], page_.lblHW[i]);
  ControlBinding::enable(hwPanel_, page_.lblHW[2].enabled);
  ControlBinding::render(lblHWRev_, page_.lblHWRev);
  ControlBinding::render(txtInfo_, page_.txtInfo);
  ControlBinding::render(cboLPT_, page_.cboLPT);
  ControlBinding::render(cmdChangeLPT_, page_.cmdChangeLPT);
  ControlBinding::render(cboHWMode_, page_.cboHWMode);
}

}  // namespace zelkora
