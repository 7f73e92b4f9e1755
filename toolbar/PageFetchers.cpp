// The tokens and personal-page fetchers and the shared-page rule.
#include "toolbar/PageFetchers.h"

#include "toolbar/LinkRules.h"
#include "toolbar/ToolbarTexts.h"

#include <cstring>

namespace marvella {

bool ChoosePageFile(StringTable& strings, FileAccess& files, unsigned urlId, unsigned fileId,
                    char (&url)[kRequestUrlCapacity], char (&pageFile)[kRequestPathCapacity]) {
  char config[kRequestUrlCapacity];
  strings.Load(urlId, url, sizeof url);
  strings.Load(IDS_URL_CONFIG, config, sizeof config);
  bool owns = std::strcmp(url, config) != 0;
  char name[kRequestPathCapacity];
  strings.Load(owns ? fileId : IDS_FILE_CONFIG, name, sizeof name);
  TempFilePath(files, name, pageFile, sizeof pageFile);
  return owns;
}

bool ReadHiddenTextFile(FileAccess& files, const char* path, const char* field,
                        char (&destination)[kHiddenTextCapacity]) {
  return ReadMapped(files, path, [&](const char* bytes, std::size_t size) {
    return ReadHiddenText(bytes, size, field, destination, sizeof destination);
  });
}

int ReadHiddenNumberFile(FileAccess& files, const char* path, const char* field) {
  int number = -1;
  ReadMapped(files, path, [&](const char* bytes, std::size_t size) {
    number = ReadHiddenNumber(bytes, size, field);
    return true;
  });
  return number;
}

PageFetcher::PageFetcher(const FetchContext& context, unsigned urlId, unsigned fileId)
    : DownloadClient(context), files_(context.files) {
  ownsFile_ = ChoosePageFile(context.strings, files_, urlId, fileId, url_, pageFile_);
  if (ownsFile_ && pageFile_[0]) files_.Delete(pageFile_);
}

PageFetcher::~PageFetcher() {
  Close();  // drops our queued downloads before their file goes
  if (ownsFile_ && pageFile_[0]) files_.Delete(pageFile_);
}

TokensFetcher::TokensFetcher(const FetchContext& context)
    : PageFetcher(context, IDS_URL_TOKENS, IDS_FILE_TOKENS) {}

void TokensFetcher::Refresh() {
  if (OwnsFile() && BusyCount() == 0 && PageFile()[0]) QueueDownload(Url(), PageFile());
}

int TokensFetcher::Read() { return ReadHiddenNumberFile(files_, PageFile(), "TOKENS"); }

PersonalPageFetcher::PersonalPageFetcher(const FetchContext& context)
    : PageFetcher(context, IDS_URL_PERSONAL_PAGE, IDS_FILE_PERSONAL_PAGE) {}

bool PersonalPageFetcher::Read() {
  // The menu opens it: an address that is no web page counts as none.
  return ReadHiddenTextFile(files_, PageFile(), "PAGPERS", address_) &&
         KeepIfOpenable(address_, LinkUse::kPage);
}

}  // namespace marvella
