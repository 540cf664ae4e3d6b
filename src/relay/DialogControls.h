#pragma once
// The state of a dialog's controls as the core composes it: texts, selections and enabled
// states. A window renders these and reports the operator's input to the dialog's
// handlers; it never decides anything itself.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace zelkora {

// A drop-down list or a list box. `index` is the zero-based selected item, -1 for none.
struct ComboBox {
  std::vector<std::string> items = {};
  int index = -1;
  bool enabled = true;
  std::string toolTip = {};

  bool has(int item) const { return item >= 0 && static_cast<size_t>(item) < items.size(); }
  // The selected item as a settings value; no selection reads as the first item.
  uint8_t selection() const { return static_cast<uint8_t>(std::max(index, 0)); }
};

struct CheckBox {
  std::string caption = {};
  bool checked = false;
  bool enabled = true;
  std::string toolTip = {};
};

// One of a group of option buttons; at most one of the group is selected.
struct OptionButton {
  std::string caption = {};
  bool selected = false;
  bool enabled = true;
};

struct Slider {
  int min = 0;
  int max = 10;
  int value = 0;
  bool enabled = true;
};

// A label, a text panel or a frame's title. A point size of 0 keeps the window's font.
struct Label {
  std::string caption = {};
  bool enabled = true;
  int pointSize = 0;
};

struct Button {
  std::string caption = {};
  bool enabled = true;
  std::string toolTip = {};
};

// A read-only multi-line text; lines are separated by carriage return and line feed.
struct TextBox {
  std::string text = {};
};

}  // namespace zelkora
