#include "relay/AboutDialog.h"

#include <cstdio>

#include "relay/Program.h"
#include "relay/Version.h"

namespace zelkora {

AboutDialog::AboutDialog(Program& program)
    : lblICQ{std::string("ICQ: ") + AuthorIcq},
      lblMail{std::string("E-Mail: ") + AuthorMail},
      cmdOK{"OK", true, "О Программе"},
      p_(program) {}

void AboutDialog::Form_Load() {
  lblVer.caption = version::VersionLine();
  changed();
}

void AboutDialog::Form_Activate() {
  iconShown = true;
  lblDate[0].caption.clear();
  lblDate[1].caption.clear();
  SystemInfo& system = p_.platform.system;
  if (const auto time = system.fileModificationTime(system.executablePath())) {
    lblDate[0].caption = FileTimeText(*time);
    lblDate[1].caption = lblDate[0].caption;
  }
  lblURL.caption = WebPage;
  linkCursorSet = true;
  changed();
}

std::string AboutDialog::FileTimeText(const std::tm& time) {
  char text[64];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d , %02d:%02d:%02d", time.tm_mday, time.tm_mon + 1,
                time.tm_year + 1900, time.tm_hour, time.tm_min, time.tm_sec);
  return text;
}

std::string AboutDialog::MailLink() {
  return std::string("mailto:") + " " + AuthorName + " " + "<" + AuthorMail + ">";
}

void AboutDialog::lblURL_Click() {
  p_.panel.RunNotepadDoc(WebPage);
}

void AboutDialog::lblMail_Click() {
  p_.panel.RunNotepadDoc(MailLink());
}

void AboutDialog::lblICQ_Click() {
  Operator& op = p_.ui.op;
  if (op.MsgBox({CopyQuestion, MsgButtons::OKCancel, MsgIcon::Question, ""}) != MsgAnswer::OK) {
    return;
  }
  p_.platform.clipboard.clear();
  p_.platform.clipboard.setText(AuthorIcq);
  op.MsgBox({CopiedNote, MsgButtons::OK, MsgIcon::Information, ""});
}

void AboutDialog::cmdOK_Click() {
  Unload();
}

}  // namespace zelkora
