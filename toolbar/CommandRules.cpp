// The Mi Marvella menu's lines, the menu bar's texts and the keyboard-hook table.
#include "toolbar/CommandRules.h"

#include "common/BoundedText.h"

#include <cstring>

namespace marvella {

MiMarvellaLines ChooseMiMarvellaLines(bool personalPage, int tokens, const char* tokensTemplate) {
  MiMarvellaLines lines = {personalPage, tokens != -1, ""};
  if (!lines.tokens) return lines;
  // The count goes where the first "%d" stands; the rest of the text is kept as it is.
  char number[16];
  FormatBounded(number, sizeof number, "%d", tokens);
  const char* text = tokensTemplate ? tokensTemplate : "";
  const char* at = std::strstr(text, "%d");
  if (!at) {
    CopyBounded(lines.tokensText, text);
    return lines;
  }
  CopyBounded(lines.tokensText, sizeof lines.tokensText, text, static_cast<std::size_t>(at - text));
  AppendBounded(lines.tokensText, number);
  AppendBounded(lines.tokensText, at + 2);
  return lines;
}

unsigned BuildMenuBarStrings(const char* first, const UserMenu* menus, unsigned count, char* out,
                             std::size_t capacity) {
  if (capacity < 2) return 0;
  CopyBounded(out, capacity - 1, first ? first : "");
  std::size_t used = std::strlen(out) + 1;
  unsigned fitted = 0;
  for (; fitted < count; ++fitted) {
    std::size_t length = std::strlen(menus[fitted].name) + 1;
    if (used + length + 1 > capacity) break;
    std::memcpy(out + used, menus[fitted].name, length);
    used += length;
  }
  out[used] = '\0';
  return fitted;
}

int KeyboardHookTable::Take(unsigned long thread, void* owner) {
  MutexLock lock(mutex_);
  for (int i = 0; i < kEntries; ++i) {
    if (entries_[i].inUse) continue;
    entries_[i] = {true, thread, owner};
    return i;
  }
  return -1;
}

void KeyboardHookTable::Release(int index) {
  if (index < 0 || index >= kEntries) return;
  MutexLock lock(mutex_);
  entries_[index] = {false, 0, nullptr};
}

void* KeyboardHookTable::Find(unsigned long thread) {
  MutexLock lock(mutex_);
  for (const Entry& entry : entries_)
    if (entry.inUse && entry.thread == thread) return entry.owner;
  return nullptr;
}

}  // namespace marvella
