// The rules behind the toolbar's commands that need no window: which lines the Mi Marvella
// menu keeps and what its tokens line reads, the menu bar's list of button texts, and the
// table that lets a thread's keyboard hook find its search box.
#pragma once

#include "toolbar/BookmarksFile.h"
#include "toolbar/Threads.h"

#include <cstddef>

namespace marvella {

constexpr std::size_t kMenuLineCapacity = 256;

struct MiMarvellaLines {
  bool personalPage;                  // "Mi página personal": only with a PAGPERS address
  bool tokens;                        // the tokens line: not for a count of -1 (no field)
  char tokensText[kMenuLineCapacity];  // the line's text with the count in place of "%d"
};

// personalPage: whether the page held a PAGPERS address; tokens: the TOKENS count or -1;
// tokensTemplate: the menu's own text of the line ("Tienes %d tokens").
MiMarvellaLines ChooseMiMarvellaLines(bool personalPage, int tokens, const char* tokensTemplate);

// The menu bar's button texts: first ("Mi Marvella"), then each menu's name, each ending
// in a zero, and a last zero, within capacity. Returns how many menus fitted: the names
// are taken in order and the first that does not fit ends the list, so the bar gets
// buttons for those menus only.
unsigned BuildMenuBarStrings(const char* first, const UserMenu* menus, unsigned count, char* out,
                             std::size_t capacity);

// Which search box each thread's keyboard hook works for. A box takes the first free
// entry while it exists; a full table refuses it. Shared by the browser windows' threads.
class KeyboardHookTable {
 public:
  static constexpr int kEntries = 64;

  // The entry's index, or -1 when the table is full.
  int Take(unsigned long thread, void* owner);
  void Release(int index);
  // The owner of the entry of this thread, or null.
  void* Find(unsigned long thread);

 private:
  struct Entry {
    bool inUse;
    unsigned long thread;
    void* owner;
  };
  Mutex mutex_;
  Entry entries_[kEntries] = {};
};

}  // namespace marvella
