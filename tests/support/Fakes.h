#pragma once
// Test implementations of the operator interface and the small platform facilities.
// Each records what the program did to it; the operator answers from a script.

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/DesktopAutostart.h"
#include "platform/InstanceGuard.h"
#include "platform/IoPorts.h"
#include "platform/ProcessControl.h"
#include "platform/Shell.h"
#include "platform/SystemInfo.h"
#include "relay/ModalDialog.h"
#include "relay/Operator.h"
#include "relay/Panel.h"
#include "relay/PanelModel.h"

namespace zelkora::test {

// Thrown by FakeProcess::exitNow, so that a test sees the end of the process.
struct ProcessExit {
  int status;
};

class FakeProcess : public ProcessControl {
 public:
  void setPriorityClass(PriorityClass priority) override { classes.push_back(priority); }
  void exitNow(int status) override { throw ProcessExit{status}; }
  std::vector<PriorityClass> classes;
};

class FakeSystemInfo : public SystemInfo {
 public:
  bool directPortAccessAvailable() override { return portAccess; }
  std::string executablePath() override { return exe; }
  std::optional<std::tm> fileModificationTime(const std::string& path) override {
    lastTimeAsked = path;
    return mtime;
  }
  bool portAccess = true;
  std::string exe = "/opt/zelkora/bin/zelkora";
  std::optional<std::tm> mtime;
  std::string lastTimeAsked;
};

class FakeInstanceGuard : public InstanceGuard {
 public:
  bool acquire(const std::string& marker) override {
    asked = marker;
    return !otherRunning;
  }
  bool otherRunning = false;
  std::string asked;
};

class FakeShell : public Shell {
 public:
  int open(const std::string& document) override {
    opened.push_back(document);
    auto it = answers.find(document);
    return it == answers.end() ? Opened : it->second;
  }
  std::map<std::string, int> answers;
  std::vector<std::string> opened;
};

class FakeAutostart : public DesktopAutostart {
 public:
  bool writeEntry(const std::string& command, bool enabled) override {
    entries.push_back({command, enabled});
    return true;
  }
  std::vector<std::pair<std::string, bool>> entries;
};

// Answers message boxes and runs modal dialogs from a script. Without a script a message
// box gets its default button and a dialog runs the loop until it closes itself.
class ScriptedOperator : public Operator {
 public:
  using MessageScript = std::function<MsgAnswer(const Message&)>;
  using DialogScript = std::function<void(ModalDialog&)>;

  MsgAnswer MsgBox(const Message& message) override;
  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& proposed) override;
  void ShowModal(ModalDialog& dialog) override;
  // The answer of the box's default button.
  static MsgAnswer DefaultAnswer(const Message& message);

  // Scripts used once each, in order; then `defaultMessage` / `defaultDialog`.
  std::deque<MessageScript> messageScripts;
  std::deque<DialogScript> dialogScripts;
  std::deque<std::string> inputAnswers;
  MessageScript defaultMessage;
  DialogScript defaultDialog;

  struct InputAsked {
    std::string prompt, title, proposed;
  };
  std::vector<Message> messages;
  std::vector<InputAsked> inputs;
  std::vector<ModalDialog::Kind> dialogs;
};

class FakePanel : public Panel {
 public:
  void render(const PanelModel& model) override {
    last = model;
    ++renders;
  }
  void setBusy(bool busy) override {
    enabled = !busy;
    busyCalls.push_back(busy);
  }
  bool isEnabled() const override { return enabled; }
  bool isVisible() const override { return visible; }
  bool isNormalState() const override { return normal; }
  void showNormal() override {
    visible = true;
    normal = true;
  }
  void hide() override { visible = false; }
  void minimize() override { normal = false; }
  void focus() override { ++focused; }
  Twips position() const override { return where; }
  void move(Twips to) override { where = to; }
  Twips screenSize() const override { return screen; }
  void unload() override {
    ++unloadRequests;
    if (onUnload) onUnload();
  }

  PanelModel last;
  int renders = 0;
  bool enabled = true;
  bool visible = false;
  bool normal = true;
  int focused = 0;
  int unloadRequests = 0;
  Twips where{0, 0};
  Twips screen{1920 * 15, 1080 * 15};
  std::vector<bool> busyCalls;
  std::function<void()> onUnload;  // a test wires this to the close request
};

class FakeTray : public TrayIcon {
 public:
  void setInTray(bool present) override { inTray_ = present; }
  bool inTray() const override { return inTray_; }
  void setTrayIcon(int image) override { icon = image; }
  void setTrayTip(const std::string& text) override { tip = text; }
  bool available() const override { return hasArea; }
  TrayMenuItem popupMenu(const TrayMenuModel& menu) override {
    shownMenus.push_back(menu);
    return chooseNext;
  }
  bool inTray_ = false;
  int icon = 0;
  std::string tip;
  bool hasArea = true;
  TrayMenuItem chooseNext = TrayMenuItem::None;
  std::vector<TrayMenuModel> shownMenus;
};

}  // namespace zelkora::test
