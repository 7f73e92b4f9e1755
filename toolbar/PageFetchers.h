// The tokens page and the personal-page page, and the rule by which several items share
// one page: a fetcher whose address is the configuration page's (string 2052) owns no
// file and reads "tandcfg.htm", which the banner feed fetches at every completed document.
// Otherwise it owns a file of its own, deleted when it is made and when it goes.
#pragma once

#include "toolbar/DownloadClient.h"
#include "toolbar/FileAccess.h"
#include "toolbar/FieldSearch.h"
#include "toolbar/StringTable.h"

#include <cstddef>

namespace marvella {

// Applies the shared-page rule for the fetcher of address string urlId with own file
// string fileId: loads the address into url and sets pageFile; true when the fetcher owns
// its file (the address differs from string 2052).
bool ChoosePageFile(StringTable& strings, FileAccess& files, unsigned urlId, unsigned fileId,
                    char (&url)[kRequestUrlCapacity], char (&pageFile)[kRequestPathCapacity]);

// A page file read through a mapping: hidden text and number fields.
bool ReadHiddenTextFile(FileAccess& files, const char* path, const char* field,
                        char (&destination)[kHiddenTextCapacity]);
int ReadHiddenNumberFile(FileAccess& files, const char* path, const char* field);

// Base of the two: the page file, owned or shared.
class PageFetcher : public DownloadClient {
 public:
  PageFetcher(const FetchContext& context, unsigned urlId, unsigned fileId);
  ~PageFetcher();
  bool OwnsFile() const { return ownsFile_; }
  const char* PageFile() const { return pageFile_; }
  const char* Url() const { return url_; }

 protected:
  FileAccess& files_;

 private:
  bool ownsFile_;
  char url_[kRequestUrlCapacity];
  char pageFile_[kRequestPathCapacity];
};

// The number of tokens, hidden field "TOKENS".
class TokensFetcher : public PageFetcher {
 public:
  explicit TokensFetcher(const FetchContext& context);
  // At each completed document: fetch the own page file, unless it is shared or a fetch
  // of it is running.
  void Refresh();
  // The number of tokens, or -1 when the page holds none.
  int Read();
};

// The address of the user's personal page, hidden field "PAGPERS". It never fetches.
class PersonalPageFetcher : public PageFetcher {
 public:
  explicit PersonalPageFetcher(const FetchContext& context);
  // Reads the address into Address(); false when the page holds none, or one that is no
  // web page (then emptied).
  bool Read();
  const char* Address() const { return address_; }

 private:
  char address_[kHiddenTextCapacity] = "";
};

}  // namespace marvella
