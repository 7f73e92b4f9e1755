// The tools button's "Herramientas" menu: refresh, hide, uninstall, about and help.
#include "toolbar/CommandTexts.h"
#include "toolbar/win32/BarControls.h"
#include "toolbar/win32/BarWindow.h"
#include "toolbar/win32/ServerState.h"
#include "toolbar/win32/ServerTexts.h"
#include "toolbar/win32/Uninstall.h"

namespace marvella {

LRESULT ToolsButton::OnCommand(int, WPARAM wparam, HWND, BarWindow& bar) {
  HWND toolbar = Toolbar();
  int pressed = LOWORD(wparam);
  SendMessageA(toolbar, TB_PRESSBUTTON, pressed, MAKELONG(TRUE, 0));
  // The menu stands at the position of the arrow's command in this toolbar (0); it is taken
  // out of the loaded menu so that the popup routine destroys it alone.
  HMENU tools;
  {
    OwnedMenu loaded(LoadMenuA(services_.module, MAKEINTRESOURCEA(IDM_TOOLS)));
    int position = static_cast<int>(SendMessageA(toolbar, TB_COMMANDTOINDEX, 0, 0));
    tools = loaded ? GetSubMenu(loaded.Get(), position) : nullptr;
    if (tools) RemoveMenu(loaded.Get(), static_cast<UINT>(position), MF_BYPOSITION);
  }
  int chosen = tools ? ShowPopup(toolbar, tools, 0) : 0;
  Run(chosen, bar);
  // "Desinstalar" may have taken the toolbar's windows down.
  if (Toolbar() == toolbar && toolbar) SendMessageA(toolbar, TB_PRESSBUTTON, pressed, MAKELONG(FALSE, 0));
  return 0;
}

void ToolsButton::Run(int command, BarWindow& bar) {
  switch (command) {
    case ID_REFRESH:
      bar.RefreshControls();
      break;
    case ID_HIDE:
      bar.SetCollapsed(true);
      services_.settings.Write("Hide", "1");
      break;
    case ID_UNINSTALL:
      // Not from inside this toolbar's own command: the uninstall destroys it.
      PostMessageA(bar.Window(), kUninstallMessage, 0, 0);
      break;
    case ID_ABOUT:
      ShowAbout();
      break;
    case ID_HELP: {
      InternalSettings internal;
      services_.tables.CopyInternalSettings(&internal);
      bar.Navigate(internal.help);
      break;
    }
  }
}

void ToolsButton::ShowAbout() {
  char format[512];
  services_.strings.Load(IDS_ABOUT, format, sizeof format);
  ShellVersion shell = CurrentShellVersion();
  char text[1024];  // wsprintf writes 1024 bytes at most
  wsprintfA(text, format, ABOUT_VERSION, ABOUT_BUILD_DATE, ABOUT_BUILD_TIME, shell.major,
            shell.minor);
  MessageBoxA(nullptr, text, ABOUT_CAPTION, MB_OK);
}

}  // namespace marvella
