#pragma once
// What the core asks of the control panel window and of the tray icon.

#include <string>

namespace zelkora {

struct PanelModel;
struct TrayMenuModel;

struct Twips {
  int x = 0, y = 0;
};

class Panel {
 public:
  virtual ~Panel() = default;
  // The model changed: paint it (a window may coalesce repeated calls).
  virtual void render(const PanelModel& model) = 0;
  // Hourglass cursor and a disabled window (true), or the normal cursor and an enabled one.
  virtual void setBusy(bool busy) = 0;
  virtual bool isEnabled() const = 0;
  virtual bool isVisible() const = 0;
  // Neither minimised nor maximised.
  virtual bool isNormalState() const = 0;
  virtual void showNormal() = 0;
  virtual void hide() = 0;
  virtual void minimize() = 0;
  virtual void focus() = 0;
  // Left and top edge in twips; the screen size in twips.
  virtual Twips position() const = 0;
  virtual void move(Twips where) = 0;
  virtual Twips screenSize() const = 0;
  // Closes the window the orderly way: its close request runs and may refuse.
  virtual void unload() = 0;
};

// The tray menu's items, in their order, and their marks.
enum class TrayMenuItem {
  None,
  mnuTrayON,
  mnuTrayPause,
  mnuTrayOFF,
  mnuTrayControlPanel,
  mnuTrayConfig,
  mnuTrayHelp,
  mnuTrayAbout,
  mnuTrayClose
};

struct TrayMenuModel {
  bool onChecked = false;
  bool pauseChecked = false, pauseEnabled = false;
  bool offChecked = true;
  bool controlPanelChecked = true;
  bool configEnabled = true, helpEnabled = true, aboutEnabled = true;
  bool closeEnabled = true;
};

class TrayIcon {
 public:
  virtual ~TrayIcon() = default;
  virtual void setInTray(bool present) = 0;  // intray
  virtual bool inTray() const = 0;
  virtual void setTrayIcon(int image) = 0;   // trayicon: image 1..4 of the state icons
  virtual void setTrayTip(const std::string& tip) = 0;  // traytip
  // Whether the desktop has a notification area to show the icon in.
  virtual bool available() const = 0;
  // Pops the tray menu up at the mouse and returns the item chosen, or None.
  virtual TrayMenuItem popupMenu(const TrayMenuModel& menu) = 0;
};

}  // namespace zelkora
