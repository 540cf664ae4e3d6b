#pragma once
// Shared look of the windows: fonts with Arial's metrics, colours, icons.

#include <QFont>
#include <QIcon>
#include <QString>

#include "relay/PanelModel.h"

namespace zelkora {

class UiLook {
 public:
  // Arial where installed, else a font with the same metrics and Cyrillic glyphs
  // (Liberation Sans), else DejaVu Sans. Sizes in points (fractions allowed).
  static QFont arial(double pointSize, bool bold = false, bool italic = false);
  static QString family();
  static QString colourCss(const Rgb& colour);
  static QString blockGaugeCss();
  // Image 1..4 of the state icons; the program icon for 0.
  static QIcon stateIcon(int image);
  // Message texts keep carriage returns as line separators; windows show line breaks.
  static QString displayText(const std::string& text);
};

}  // namespace zelkora
