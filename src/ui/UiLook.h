#pragma once
// Shared look of the windows: fonts with Arial's metrics, colours, the state icons, the
// drawn button symbols and the 3-D panels every window is built of.

#include <QFont>
#include <QIcon>
#include <QRect>
#include <QString>

#include "relay/PanelModel.h"

class QFrame;
class QLabel;
class QWidget;

namespace zelkora {

class UiLook {
 public:
  // Arial where installed, else a font with the same metrics and Cyrillic glyphs
  // (Liberation Sans), else DejaVu Sans. Sizes in points (fractions allowed).
  static QFont arial(double pointSize, bool bold = false, bool italic = false);
  static QString family();
  static QString colourCss(const Rgb& colour);
  // Gauges drawn as one smooth bar or as a row of blocks.
  static QString gaugeCss(bool smooth);
  // Image 1..4 of the state icons; the program icon for 0.
  static QIcon stateIcon(int image);
  // Message texts keep carriage returns as line separators; windows show line breaks.
  static QString displayText(const std::string& text);

  // Button symbols, drawn so that they never depend on a font's glyphs; a disabled
  // button greys them.
  enum class Symbol { Start, Stop, Cross };
  static QIcon symbol(Symbol kind);

  // A raised 3-D panel holding other controls.
  static QFrame* panel(QWidget* parent, const QRect& place, const char* name);
  // A sunken 3-D text panel, centred text.
  static QLabel* textPanel(QWidget* parent, const QRect& place, const char* name,
                           const QString& tip = {});
  // A label without background, for text laid over a picture.
  static QLabel* overlay(QWidget* parent, const QRect& place, const char* name,
                         const QColor& colour, const QFont& font);
};

}  // namespace zelkora
