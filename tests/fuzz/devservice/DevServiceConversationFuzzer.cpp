// Feeds arbitrary bytes to a user-server conversation, one command per line, and to the
// fault-rule parser. Every reply must stay one line ending in CR LF.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "devservice/Faults.h"
#include "devservice/ItemText.h"
#include "devservice/Store.h"
#include "devservice/UserConversation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A fresh store now and then, so the users the inputs create do not pile up.
  static std::unique_ptr<devservice::Store> store;
  static unsigned runs = 0;
  if (!store || ++runs % 256 == 0) {
    std::string error;
    store = devservice::Store::Open(":memory:", &error);
    if (!store) std::abort();
  }
  static devservice::AccountDefaults defaults;
  std::string_view input(reinterpret_cast<const char*>(data), size);

  devservice::Fault fault;
  std::string error;
  devservice::ParseFault(devservice::FaultScope::User, input, &fault, &error);
  devservice::ParseFault(devservice::FaultScope::Http, input, &fault, &error);
  devservice::ParseItems(input);

  devservice::UserConversation conversation(*store, defaults);
  devservice::Fault none;
  std::size_t start = 0;
  while (start < input.size()) {
    std::size_t end = input.find('\n', start);
    if (end == std::string_view::npos) end = input.size();
    devservice::Reply reply = conversation.Handle(input.substr(start, end - start), none);
    if (!reply.text.empty()) {
      std::size_t lf = reply.text.find('\n');
      if (lf != reply.text.size() - 1 || reply.text[lf - 1] != '\r') std::abort();
    }
    start = end + 1;
  }
  return 0;
}
