// Every control of the control panel at its place and size, with its tooltip.

#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "WidgetProbe.h"
#include "ui/UiLook.h"
#include "ui/frmMain.h"

namespace zelkora::test {
namespace {

struct Place {
  const char* name;
  QRect rect;  // relative to the control's container
  const char* container;
  const char* tip;
};

// Pixels at 96 dpi, as the panel's layout table gives them.
const Place kPanelLayout[] = {
    {"lblON", {0, 1, 177, 63}, "frmMain", "Скорость соединения (во включенном режиме)"},
    {"lblCOMS", {176, 1, 301, 63}, "frmMain", ""},
    {"lblCOM11", {4, 4, 131, 39}, "lblCOMS", ""},
    {"lblCOM22", {167, 4, 129, 39}, "lblCOMS", ""},
    {"lblParams1", {4, 36, 131, 21}, "lblCOMS", "Параметры порта (Модем)"},
    {"lblParams2", {167, 36, 129, 21}, "lblCOMS", "Параметры порта (Korvane™)"},
    {"fra2", {4, 64, 469, 67}, "frmMain", ""},
    {"lblThrough1",
     {1, 4, 78, 21},
     "fra2",
     "Количество переданной информации из 1-го Порта (Модем)"},
    {"lblCOM1", {2, 24, 73, 21}, "fra2", "Первый COM-Порт (Модем)"},
    {"proInBuffer1", {92, 4, 129, 18}, "fra2", "Заполнение Буфера приема (1-ый Порт) (Модем)"},
    {"proOutBuffer1", {92, 24, 129, 18}, "fra2", "Заполнение Буфера передачи (1-ый Порт) (Модем)"},
    {"proOutBuffer2",
     {248, 4, 129, 18},
     "fra2",
     "Заполнение Буфера передачи (2-ой Порт) (Korvane™)"},
    {"proInBuffer2", {248, 24, 129, 18}, "fra2", "Заполнение Буфера приема (2-ой Порт) (Korvane™)"},
    {"lblCOM2", {392, 1, 74, 21}, "fra2", "Второй COM-Порт (Korvane™)"},
    {"lblThrough2",
     {392, 24, 74, 21},
     "fra2",
     "Количество переданной информации из 2-го Порта (Korvane™)"},
    {"sta1", {4, 44, 225, 20}, "fra2", "Лампочки 1-го Порта (Модем)"},
    {"sta2", {240, 44, 225, 20}, "fra2", "Лампочки 2-го Порта (Korvane™)"},
    {"fraX", {8, 130, 209, 49}, "frmMain", ""},
    {"cmdON", {4, 9, 65, 37}, "fraX", "Пуск"},
    {"cmdPause", {72, 9, 65, 37}, "fraX", "Пауза"},
    {"cmdOFF", {140, 9, 65, 37}, "fraX", "Слив/Стоп/Стоп Слива"},
    {"cmdConfig", {232, 144, 109, 29}, "frmMain", ""},
    {"cmdHide", {356, 144, 37, 29}, "frmMain", "Закрыть Панель Управления"},
    {"cmdHelp", {408, 144, 29, 29}, "frmMain", "Помощь..."},
    {"cmdAbout", {440, 144, 29, 29}, "frmMain", "О Программе"},
};

TEST(PanelLayout, EveryControlAtItsPlaceWithItsTooltip) {
  frmMain window;
  EXPECT_EQ(window.size(), QSize(477, 182));
  const QRect client = window.rect();
  for (const Place& place : kPanelLayout) {
    SCOPED_TRACE(place.name);
    auto* control = window.findChild<QWidget*>(place.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->geometry(), place.rect);
    EXPECT_EQ(control->parentWidget()->objectName().toStdString(), place.container);
    EXPECT_EQ(control->toolTip().toStdString(), place.tip);
    // Everything lies inside the client area.
    const QRect inWindow(control->mapTo(&window, QPoint(0, 0)), control->size());
    EXPECT_TRUE(client.contains(inWindow)) << inWindow.x() << "," << inWindow.y();
  }
}

TEST(PanelLayout, VsBetweenThePortNamesInDarkRedBoldArial) {
  frmMain window;
  auto* vs = window.findChild<QLabel*>("lblVS");
  ASSERT_NE(vs, nullptr);
  EXPECT_EQ(vs->text().toStdString(), "vs");
  EXPECT_TRUE(vs->font().bold());
  EXPECT_EQ(vs->font().family(), UiLook::family());
  EXPECT_TRUE(showsColour(*vs, QColor(128, 0, 0), 24));
  const QRect left = window.findChild<QWidget*>("lblCOM11")->geometry();
  const QRect right = window.findChild<QWidget*>("lblCOM22")->geometry();
  EXPECT_GE(vs->geometry().left(), left.right());
  EXPECT_LE(vs->geometry().right(), right.left());
}

TEST(PanelLayout, FixedWindowWithMinimiseBoxAndNoMaximiseBox) {
  frmMain window;
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  const Qt::WindowFlags flags = window.windowFlags();
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_EQ(window.windowTitle().toStdString(), "Zelkora®");
}

TEST(PanelLayout, ArrowsSitBesideAndBetweenTheGaugesOfTheirRow) {
  frmMain window;
  for (const char* prefix : {"lbl1TO2Pipe", "lbl2TO1Pipe"}) {
    const int row = prefix[3] == '1' ? 4 : 24;
    const char* rowGauges[2] = {row == 4 ? "proInBuffer1" : "proOutBuffer1",
                                row == 4 ? "proOutBuffer2" : "proInBuffer2"};
    const QRect left = window.findChild<QWidget*>(rowGauges[0])->geometry();
    const QRect right = window.findChild<QWidget*>(rowGauges[1])->geometry();
    for (int i = 0; i < 3; ++i) {
      auto* arrow = window.findChild<QLabel*>(QString("%1%2").arg(prefix).arg(i));
      ASSERT_NE(arrow, nullptr);
      const QRect a = arrow->geometry();
      EXPECT_EQ(a.y(), row);
      EXPECT_FALSE(a.intersects(left));
      EXPECT_FALSE(a.intersects(right));
      // Before the first gauge, between the two, after the second.
      const bool placed = i == 0   ? a.right() < left.left()
                          : i == 1 ? a.left() > left.right() && a.right() < right.left()
                                   : a.left() > right.right();
      EXPECT_TRUE(placed) << i;
    }
  }
}

TEST(PanelLayout, TwelveLampsNamedInOrderInsideTheirBars) {
  frmMain window;
  const char* names[] = {"RI", "CD", "CTS", "RTS", "DSR", "DTR"};
  for (const char* bar : {"sta1", "sta2"}) {
    auto* sta = window.findChild<QWidget*>(bar);
    ASSERT_NE(sta, nullptr);
    int lastRight = -1;
    for (const char* name : names) {
      auto* lamp = sta->findChild<QLabel*>(QString(bar) + name);
      ASSERT_NE(lamp, nullptr) << bar << name;
      EXPECT_EQ(lamp->text().toStdString(), name);
      EXPECT_TRUE(sta->rect().contains(lamp->geometry()));
      EXPECT_GT(lamp->geometry().left(), lastRight);
      lastRight = lamp->geometry().right();
    }
  }
}

}  // namespace
}  // namespace zelkora::test
