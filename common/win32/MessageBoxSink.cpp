// Message boxes for the installer's messages.
#include "common/win32/MessageBoxSink.h"

#include "common/PathText.h"

namespace marvella {

std::string ProgramFileName() {
  char path[MAX_PATH + 1] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  path[n < MAX_PATH ? n : MAX_PATH] = '\0';
  return FileNameOf(path);
}

MessageAnswer MessageBoxSink::ShowMessage(unsigned, const char* text, const MessageStyle& style) {
  UINT flags = 0;
  switch (style.buttons) {
    case MessageButtons::kOk:
      flags |= MB_OK;
      break;
    case MessageButtons::kOkCancel:
      flags |= MB_OKCANCEL;
      break;
    case MessageButtons::kYesNo:
      flags |= MB_YESNO;
      break;
  }
  switch (style.icon) {
    case MessageIcon::kWarning:
      flags |= MB_ICONEXCLAMATION;
      break;
    case MessageIcon::kInformation:
      flags |= MB_ICONINFORMATION;
      break;
    case MessageIcon::kError:
      flags |= MB_ICONHAND;
      break;
    case MessageIcon::kQuestion:
      flags |= MB_ICONQUESTION;
      break;
    case MessageIcon::kNone:
      break;
  }
  std::string caption = style.caption ? std::string(style.caption) : ProgramFileName();
  switch (MessageBoxA(owner_, text, caption.c_str(), flags)) {
    case IDCANCEL:
      return MessageAnswer::kCancel;
    case IDYES:
      return MessageAnswer::kYes;
    case IDNO:
      return MessageAnswer::kNo;
    default:
      return MessageAnswer::kOk;
  }
}

}  // namespace marvella
