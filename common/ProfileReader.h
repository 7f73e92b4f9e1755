// The portable profile (INI) reader: the rules of ProfileSource.h over a file or a text in
// memory, byte for byte as the system's private-profile reader answers them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/ProfileSource.h"

namespace marvella {

class ProfileReader final : public ProfileSource {
 public:
  // Files are read up to this size; the rest of a larger file is ignored (no profile the
  // kit reads comes near it).
  static constexpr size_t kMaxFileBytes = 1u << 20;

  // The settings of a text in code page 1252.
  explicit ProfileReader(std::string text);

  // Reads the file at `path`. A file that cannot be opened reads as an empty profile, so
  // every lookup gives its fallback, as the system does; `readable` tells which it was.
  static ProfileReader FromFile(const char* path, bool* readable = nullptr);

  size_t ReadString(const char* section, const char* key, const char* fallback, char* buffer,
                    size_t capacity) override;
  size_t ReadSectionNames(char* buffer, size_t capacity) override;

 private:
  struct Key {
    std::string_view name;
    std::string_view value;
    bool hasValue;
  };
  struct Section {
    std::string_view name;
    std::vector<Key> keys;
  };

  void Parse();
  const Key* Find(std::string_view section, std::string_view key) const;

  std::string text_;
  std::vector<Section> sections_;
};

}  // namespace marvella
