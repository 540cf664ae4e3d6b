#pragma once
// What the pages of the settings dialog share. Until the dialog is on screen (`visible`)
// their reactions only enable and disable controls: no message, no copied value.

#include <functional>
#include <string>

#include "relay/DialogControls.h"
#include "relay/Operator.h"

namespace zelkora {

struct Settings;

struct ConfigPageContext {
  Operator& op;
  // The record as it stands while the dialog is open; the pages read it, only OK writes it.
  const Settings& stored;
  bool isNT = false;
  bool visible = false;
  // Tells the window that something it shows has changed.
  std::function<void()> notify;

  void changed() const {
    if (notify) notify();
  }
  // A check box without a reaction of its own.
  void tick(CheckBox& box, bool checked) const {
    box.checked = checked;
    changed();
  }
  // A list without a reaction of its own; a pick outside its items is ignored.
  void pick(ComboBox& box, int item) const {
    if (!box.has(item)) return;
    box.index = item;
    changed();
  }
  // A warning box with the program's title, over a window that shows the latest state.
  void warn(const std::string& text) const {
    changed();
    op.MsgBox({text, MsgButtons::OK, MsgIcon::Exclamation, ""});
  }
};

}  // namespace zelkora
