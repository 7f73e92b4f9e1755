// The banner feed with the real pieces of the Windows tree: files in a temporary directory,
// read through mappings, JPEGtoBMP, and the system's bitmap loader. The downloads are served
// from files the test prepared: this is about what the feed makes of them, not the network.
#include "tests/unit/toolbar/TestJpeg.h"
#include "tests/win32/toolbar/ToolbarWin32Support.h"
#include "toolbar/BannerFeed.h"
#include "toolbar/JPEGtoBMP.h"
#include "toolbar/win32/BannerBitmapLoader.h"
#include "toolbar/win32/ModuleStringTable.h"

#include <gtest/gtest.h>

#include <string>

using namespace marvella;
using namespace marvella::testing;

namespace {

// Copies prepared files into the destinations, by URL.
class PreparedFetcher : public Fetcher {
 public:
  explicit PreparedFetcher(std::string dir) : dir_(std::move(dir)) {}
  InternetHandle OpenInternet(const char*, const char*) override { return this; }
  void CloseInternet(InternetHandle) override {}
  bool DownloadToFile(InternetHandle, const char* url, const char* destination,
                      const DownloadTerms&) override {
    std::string u = url;
    std::string source = u.find(".jpg") != std::string::npos       ? "served.jpg"
                         : u.find("mailtand") != std::string::npos ? "served.htm"
                                                                   : "";
    if (source.empty()) return false;
    return CopyFileA((dir_ + source).c_str(), destination, FALSE) != FALSE;
  }

 private:
  std::string dir_;
};

class Starter : public ThreadStarter {
 public:
  bool StartThread(void (*run)(void*), void* argument) override {
    run(argument);  // served at once, on this thread
    return true;
  }
};

}  // namespace

TEST(BannerFeedWin32, ConvertedBannerLoadsAsA100By18Bitmap) {
  HMODULE module = LoadToolbarResources();
  ASSERT_NE(nullptr, module);
  ModuleStringTable strings(module);
  std::string source = FreshDirectory("banner-served");
  std::string temp = FreshDirectory("banner-temp");
  JpegShape shape;
  shape.width = 100;
  shape.height = 18;
  WriteBytes(source + "served.jpg", MakeJpeg(shape));
  WriteFileBytes(source + "served.htm",
                 "<A HREF=\"http://127.0.0.1/oferta\"><IMG SRC=\"http://127.0.0.1/b.jpg\" "
                 "ALT=\"Oferta de verano\"></A>");
  PreparedFetcher fetcher(source);
  Starter starter;
  DownloadQueue queue(fetcher, starter);
  BookmarkTables tables;
  DirectoryFiles files(temp);
  BannerBitmapLoader loader;
  {
    BannerFeed feed(FetchContext{queue, "Tandem Marvella", strings, files, tables}, loader,
                    JPEGtoBMP);
    EXPECT_EQ(nullptr, feed.Refresh(100, 18));  // fetches the page
    EXPECT_EQ(nullptr, feed.Refresh(100, 18));  // parses it, fetches the image
    HBITMAP bitmap = static_cast<HBITMAP>(feed.Refresh(100, 18));
    ASSERT_NE(nullptr, bitmap);
    BITMAP info;
    ASSERT_NE(0, GetObjectA(bitmap, sizeof info, &info));
    EXPECT_EQ(100, info.bmWidth);
    EXPECT_EQ(18, info.bmHeight);
    DeleteObject(bitmap);
    EXPECT_STREQ("Oferta de verano", feed.Tooltip());
    EXPECT_STREQ("http://127.0.0.1/oferta", feed.Link());
    // The feed's own image files, named for its process and itself, beside the page.
    std::string listed = ListFiles(temp);
    std::size_t at = listed.find(" tnb0-");
    ASSERT_NE(std::string::npos, at) << listed;
    std::string own = listed.substr(at + 1, listed.find('.', at) - at - 1);
    EXPECT_EQ("tandcfg.htm " + own + ".bmp " + own + ".jpg", listed);
  }
  EXPECT_EQ("", ListFiles(temp));  // stats.bin is not written: no log address here
  FreeLibrary(module);
}
