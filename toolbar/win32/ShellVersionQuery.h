// The version of the browser's shell library (shdocvw.dll), which decides whether the
// toolbar may load and whether registration adds the logon entry.
#pragma once

#include <windows.h>

namespace marvella {

// Loads shdocvw.dll from the system directory, asks its DllGetVersion for the version
// record and frees it. Both numbers are 0 before the attempt and stay 0 on failure:
// E_FAIL when the library or its entry point is missing, E_INVALIDARG when an out
// pointer is null, else the entry point's own result.
HRESULT QueryShellVersion(unsigned* major, unsigned* minor);

// The load guard's rule: shell versions up to and including 5.52 (Internet Explorer 4 to
// 5.5) are served; newer ones are refused.
bool ShellVersionServed(unsigned major, unsigned minor);

// Below 5.5 (Internet Explorer 4, 5 and 5.01) the library registers itself again at
// every logon.
bool NeedsLogonRegistration(unsigned major, unsigned minor);

// True when the lower-cased full path of the host program contains `part`.
bool HostPathContains(const char* part);

}  // namespace marvella
