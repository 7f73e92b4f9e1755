// The COM server's objects in process: tandem.dll's class object and unload answers, the
// unload answer while a thread of the library still runs (the download worker behind a
// closed toolbar), and the settings key.
#include "tests/win32/toolbar/ServerHosts.h"
#include "toolbar/DownloadClient.h"
#include "toolbar/DownloadQueue.h"
#include "toolbar/Threads.h"
#include "toolbar/win32/Registration.h"
#include "toolbar/win32/ServerState.h"
#include "toolbar/win32/ToolbarSettings.h"

#include <gtest/gtest.h>

#include <ocidl.h>

#include <cstring>
#include <string>

using namespace marvella;
using namespace marvella::testing;

namespace {

template <typename Fn>
Fn Export(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

TEST(ToolbarServer, HandsOutItsOneClassAndUnloadsOnlyWhenNothingLives) {
  ChooseShellVersion("5.50");
  HMODULE tandem = LoadLibraryA(LibraryPath().c_str());
  ASSERT_NE(nullptr, tandem);
  auto getClassObject =
      Export<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>(tandem, "DllGetClassObject");
  auto canUnloadNow = Export<HRESULT(WINAPI*)()>(tandem, "DllCanUnloadNow");
  ASSERT_TRUE(getClassObject && canUnloadNow);

  void* out = &out;
  EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, getClassObject(IID_IClassFactory, IID_IClassFactory, &out));
  EXPECT_EQ(nullptr, out);
  out = &out;
  EXPECT_EQ(E_NOINTERFACE, getClassObject(kToolbarClassId, IID_IObjectWithSite, &out));
  EXPECT_EQ(nullptr, out);
  EXPECT_EQ(S_OK, canUnloadNow());  // the factory that said no is gone

  IClassFactory* factory = nullptr;
  ASSERT_EQ(S_OK, getClassObject(kToolbarClassId, IID_IClassFactory,
                                 reinterpret_cast<void**>(&factory)));
  EXPECT_EQ(S_FALSE, canUnloadNow());
  EXPECT_EQ(E_NOTIMPL, factory->LockServer(TRUE));
  out = &out;
  EXPECT_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(factory, IID_IUnknown, &out));
  EXPECT_EQ(nullptr, out);
  IObjectWithSite* toolbar = nullptr;
  ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IObjectWithSite,
                                          reinterpret_cast<void**>(&toolbar)));
  factory->Release();
  EXPECT_EQ(S_FALSE, canUnloadNow());  // the toolbar alone keeps the library
  toolbar->Release();
  EXPECT_EQ(S_OK, canUnloadNow());
  FreeLibrary(tandem);
}

namespace {

// A download that runs until the test lets it end.
class HeldFetcher : public Fetcher {
 public:
  InternetHandle OpenInternet(const char*, const char*) override { return this; }
  void CloseInternet(InternetHandle) override {}
  bool DownloadToFile(InternetHandle, const char*, const char*, const DownloadTerms&) override {
    running.Set();
    release.WaitFor(120000);
    return false;
  }
  Event running;
  Event release;
};

class Client : public DownloadClient {
 public:
  explicit Client(DownloadQueue& queue) : DownloadClient(queue, "Tandem Marvella") {}
  void Get() { QueueDownload("http://127.0.0.1:9/cgi-bin/mailtand", "C:\\tandcfg.htm"); }
};

}  // namespace

TEST(ToolbarServer, StaysLoadedWhileADownloadOfAClosedToolbarRuns) {
  HeldFetcher fetcher;
  DetachedThreadStarter threads;
  DownloadQueue queue(fetcher, threads);
  ASSERT_TRUE(CanUnloadServer());
  {
    Client client(queue);
    client.Get();
    ASSERT_TRUE(fetcher.running.WaitFor(60000));
  }  // the toolbar is gone; its running download is not
  EXPECT_FALSE(CanUnloadServer());
  fetcher.release.Set();
  DWORD start = GetTickCount();
  while (!CanUnloadServer() && GetTickCount() - start < 60000) Sleep(10);
  EXPECT_TRUE(CanUnloadServer());  // the worker has ended: the queue ran dry
}

TEST(ToolbarServer, SettingsAreReadOnlyWithinTheBuffer) {
  ASSERT_TRUE(WriteSetting("ServerTestHide", "1"));
  char buffer[8] = "x";
  EXPECT_TRUE(ReadSetting("ServerTestHide", buffer, sizeof buffer));
  EXPECT_STREQ("1", buffer);
  EXPECT_FALSE(ReadSetting("ServerTestAbsent", buffer, sizeof buffer));
  EXPECT_STREQ("", buffer);
  ASSERT_TRUE(WriteSetting("ServerTestLong", "1.0123456789"));
  EXPECT_FALSE(ReadSetting("ServerTestLong", buffer, sizeof buffer));
  // A value someone else stored without its terminating zero still ends inside the buffer.
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Marvella", 0,
                                         KEY_ALL_ACCESS, &key));
  RegSetValueExA(key, "ServerTestRaw", 0, REG_BINARY, reinterpret_cast<const BYTE*>("1.02"), 4);
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_TRUE(ReadSetting("ServerTestRaw", buffer, 5));
  EXPECT_STREQ("1.02", buffer);
  for (const char* name : {"ServerTestHide", "ServerTestLong", "ServerTestRaw"})
    RegDeleteValueA(key, name);
  RegCloseKey(key);
}
