// Hidden-field search over arbitrary page bytes (an exact-size copy: no terminating zero).
#include "toolbar/FieldSearch.h"
#include "toolbar/MailChecker.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::unique_ptr<char[]> page(new char[size ? size : 1]);
  std::memcpy(page.get(), data, size);
  for (const char* field : {"PAGPERS", "TOKENS", "WEBMAIL"}) {
    char text[marvella::kHiddenTextCapacity];
    if (marvella::ReadHiddenText(page.get(), size, field, text, sizeof text) &&
        std::strlen(text) >= sizeof text)
      __builtin_trap();
    marvella::ReadHiddenNumber(page.get(), size, field);
  }
  marvella::ParseMailCount(page.get(), size);
  return 0;
}
