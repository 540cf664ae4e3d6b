#pragma once
// The logic of a modal window, kept in the core; the window only renders it and forwards
// input. The Operator shows it: it calls Form_Load, then Form_Activate once the window is
// up, and returns when the dialog has closed itself.

#include <functional>

namespace zelkora {

class ModalDialog {
 public:
  enum class Kind { Splash, About, Config, AutoStart };

  virtual ~ModalDialog() = default;
  virtual Kind kind() const = 0;
  virtual void Form_Load() {}
  virtual void Form_Activate() {}
  // The window's own close request (close box, system keystroke).
  virtual void Form_QueryUnload() { Unload(); }

  bool closed() const { return closed_; }
  // Called by the logic after it changed what the window shows.
  std::function<void()> onChanged;

 protected:
  void Unload() { closed_ = true; changed(); }
  void changed() {
    if (onChanged) onChanged();
  }

 private:
  bool closed_ = false;
};

}  // namespace zelkora
