// The menu bar's commands: the Mi Marvella button and its menu, and the user menus.
#include "common/BoundedText.h"
#include "toolbar/CommandRules.h"
#include "toolbar/CommandTexts.h"
#include "toolbar/LinkRules.h"
#include "toolbar/BarTexts.h"
#include "toolbar/MenuModels.h"
#include "toolbar/win32/BarControls.h"
#include "toolbar/win32/BarWindow.h"
#include "toolbar/win32/MenuBuilder.h"

namespace marvella {

namespace {
constexpr int kMiMarvellaCommand = 10;
constexpr int kFirstUserMenuCommand = 11;

// The address behind one of the Mi Marvella menu's own commands, or null for none.
const char* MenuOwnAddress(int command, const PersonalizationLinks& links,
                           const InternalSettings& internal, const char* personalPage) {
  switch (command) {
    case ID_PERSONAL_PAGE: return personalPage;
    case ID_PERSONAL_FOLDER: return internal.carpetaPersonal;
    case ID_BOLSA: return links.bolsa;
    case ID_DEPORTES: return links.deportes;
    case ID_HOROSCOPO: return links.horoscopo;
    case ID_TIEMPO: return links.tiempo;
    case ID_ANGELES: return links.angeles;
  }
  return nullptr;  // the tokens line only informs
}
}  // namespace

LRESULT MenuBar::OnCommand(int, WPARAM wparam, HWND, BarWindow& bar) {
  int command = LOWORD(wparam);
  if (command == kMiMarvellaCommand) {
    PortalLinks portal;
    services_.tables.CopyPortalLinks(&portal);
    if (MayOpen(portal.target, LinkUse::kPage)) bar.Navigate(portal.target);
  } else if (command >= kFirstUserMenuCommand &&
             command < kFirstUserMenuCommand + static_cast<int>(menuButtons_)) {
    ShowUserMenu(static_cast<unsigned>(command - kFirstUserMenuCommand), bar);
  }
  return 0;
}

LRESULT MenuBar::OnNotify(NMHDR* header, BarWindow& bar) {
  if (header->code == TBN_DROPDOWN) {
    if (reinterpret_cast<NMTOOLBARA*>(header)->iItem == kMiMarvellaCommand) ShowMiMarvellaMenu(bar);
    return TBDDRET_DEFAULT;
  }
  if (header->code != TTN_NEEDTEXTA) return 0;
  if (header->idFrom == kMiMarvellaCommand)
    TooltipString(header, services_.module, IDS_MI_MARVELLA_TIP);
  else
    TooltipText(header, nullptr);
  return 0;
}

void MenuBar::ShowUserMenu(unsigned k, BarWindow& bar) {
  const UserMenu* menu = bookmarks_.Menu(k);
  if (!menu) return;
  int command = kFirstUserMenuCommand + static_cast<int>(k);
  HWND toolbar = Toolbar();
  SendMessageA(toolbar, TB_PRESSBUTTON, command, MAKELONG(TRUE, 0));
  int chosen = ShowPopup(toolbar, CreateUserMenuPopup(*menu), command);
  SendMessageA(toolbar, TB_PRESSBUTTON, command, MAKELONG(FALSE, 0));
  const MenuItem* item = UserMenuItemFor(*menu, static_cast<unsigned>(chosen));
  if (item && MayOpen(item->url, LinkUse::kPageOrMail)) bar.Navigate(item->url);
}

void MenuBar::ShowMiMarvellaMenu(BarWindow& bar) {
  HMENU menu;
  {
    OwnedMenu loaded(LoadMenuA(services_.module, MAKEINTRESOURCEA(IDM_MI_MARVELLA)));
    menu = loaded ? GetSubMenu(loaded.Get(), IDM_MI_MARVELLA_POPUP) : nullptr;
    // The popup routine's own.
    if (menu) RemoveMenu(loaded.Get(), IDM_MI_MARVELLA_POPUP, MF_BYPOSITION);
  }
  if (!menu) return;

  // The fields as last read in the background: the menu opens without touching the disk.
  int tokens;
  bool personalFound;
  char personalPage[kHiddenTextCapacity];
  {
    MutexLock lock(readLock_);
    tokens = tokenCount_;
    personalFound = personalFound_;
    CopyBounded(personalPage, personalPageAddress_);
  }
  char tokensTemplate[kMenuLineCapacity] = "";
  GetMenuStringA(menu, ID_TOKENS, tokensTemplate, sizeof tokensTemplate, MF_BYCOMMAND);
  MiMarvellaLines lines = ChooseMiMarvellaLines(personalFound, tokens, tokensTemplate);
  if (!lines.personalPage) DeleteMenu(menu, ID_PERSONAL_PAGE, MF_BYCOMMAND);
  if (!lines.tokens)
    DeleteMenu(menu, ID_TOKENS, MF_BYCOMMAND);
  else
    ModifyMenuA(menu, ID_TOKENS, MF_BYCOMMAND | MF_STRING, ID_TOKENS, lines.tokensText);
  PortalLinks portal;
  services_.tables.CopyPortalLinks(&portal);
  InsertPortalLinks(menu, portal);

  int chosen = ShowPopup(Toolbar(), menu, 0);
  ReadAhead();  // a page another window or browser fetched meanwhile, for the next opening
  int slot = PortalLinkSlotFor(static_cast<unsigned>(chosen));
  if (slot >= 0) {
    const char* url = portal.slots[slot].url;
    if (MayOpen(url, LinkUse::kPageOrMail)) bar.Navigate(url);
    return;
  }
  PersonalizationLinks links;
  InternalSettings internal;
  services_.tables.CopyPersonalizationLinks(&links);
  services_.tables.CopyInternalSettings(&internal);
  const char* address = MenuOwnAddress(chosen, links, internal, personalPage);
  if (MayOpen(address, LinkUse::kPage)) bar.Navigate(address);
}

}  // namespace marvella
