// A browser as the band object sees it, inside the test program: get_HWND gives the frame,
// Navigate is recorded (nothing completes by itself), and one connection point takes the
// band's event sink, through which the test completes documents as the browser does
// (arguments last first, the URL a variant by reference).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace marvella::test {

struct FakeBrowser;

FakeBrowser* CreateFakeBrowser(HWND frame);
// The browser as the site to hand to SetSite (an IUnknown*).
void* BrowserSite(FakeBrowser* browser);
std::vector<std::string> Navigations(FakeBrowser* browser);
bool HasEventSink(FakeBrowser* browser);
// DocumentComplete (259) to the sink, on the calling thread.
void CompleteDocument(FakeBrowser* browser, const wchar_t* url);
void ReleaseFakeBrowser(FakeBrowser* browser);

}  // namespace marvella::test
