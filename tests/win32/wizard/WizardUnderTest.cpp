// Running and driving the wizard under test.
#include "tests/win32/wizard/WizardUnderTest.h"

#include <gtest/gtest.h>

#include "tests/win32/support/WindowDriver.h"

namespace marvella::test {
namespace {

const char kBarrierClass[] = "MarvellaWizardTestBarrier";
constexpr UINT kBarrierMessage = WM_APP + 1;

}  // namespace

WizardUnderTest::WizardUnderTest(const WizardSeams& seams, std::function<void(WizardSheet&)> built,
                                 bool realHardwarePage)
    : settled_(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      ready_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      ended_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
  WizardSeams pages = seams;
  if (!pages.hardware && !realHardwarePage) pages.hardware = &passThroughHardware;
  // Signing up needs a server and a line: install.exe's own walks go through that page.
  if (!pages.results) pages.results = &passThroughHardware;
  thread_ = std::thread(&WizardUnderTest::Run, this, pages, built);
  WaitForSingleObject(ready_, 10000);
  // The sheet is the only dialog of the process at this point.
  sheet_ = WaitForWindow("#32770", nullptr, 10000);
  if (sheet_) Settle();
}

WizardUnderTest::~WizardUnderTest() {
  if (!finished_ && sheet_) PostMessageA(sheet_, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  if (thread_.joinable()) thread_.join();
  CloseHandle(settled_);
  CloseHandle(ready_);
  CloseHandle(ended_);
}

void WizardUnderTest::Run(WizardSeams seams, std::function<void(WizardSheet&)> built) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = BarrierProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kBarrierClass;
  RegisterClassA(&wc);  // fails harmlessly when an earlier test registered it
  barrier_ =
      CreateWindowA(kBarrierClass, "", 0, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
  SetWindowLongPtrA(barrier_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(settled_));
  WizardSheet wizard(GetModuleHandleA(nullptr), app, toolbar, seams);
  if (built) built(wizard);
  SetEvent(ready_);
  end_ = wizard.RunModal();
  DestroyWindow(barrier_);
  finished_ = true;
  SetEvent(ended_);
}

LRESULT CALLBACK WizardUnderTest::BarrierProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  if (message == kBarrierMessage) {
    // Each round goes to the back of the queue, behind whatever the last round let post.
    if (wParam > 1)
      PostMessageA(window, kBarrierMessage, wParam - 1, 0);
    else
      SetEvent(reinterpret_cast<HANDLE>(GetWindowLongPtrA(window, GWLP_USERDATA)));
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void WizardUnderTest::Settle() {
  if (finished_ || !barrier_) return;
  if (!PostMessageA(barrier_, kBarrierMessage, 4, 0)) return;  // the wizard has ended
  // Settled, or ended before it got there (Finish, Cancel).
  HANDLE events[2] = {settled_, ended_};
  DWORD r = WaitForMultipleObjects(2, events, FALSE, 5000);
  EXPECT_TRUE(r == WAIT_OBJECT_0 || r == WAIT_OBJECT_0 + 1) << "the wizard did not settle";
}

void WizardUnderTest::Press(int psbtn) {
  PostMessageA(sheet_, PSM_PRESSBUTTON, static_cast<WPARAM>(psbtn), 0);
  Settle();
}

void WizardUnderTest::Click(int controlId) {
  HWND control = GetDlgItem(Page(), controlId);
  ASSERT_NE(nullptr, control) << "no control " << controlId;
  SendMessageA(control, BM_CLICK, 0, 0);
  Settle();
}

HWND WizardUnderTest::Page() const {
  return reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
}

int WizardUnderTest::PageIndex() const {
  return static_cast<int>(
      SendMessageA(sheet_, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(Page()), 0));
}

ButtonState WizardUnderTest::Buttons() const {
  auto usable = [this](int id) {
    HWND b = GetDlgItem(sheet_, id);
    return b && IsWindowVisible(b) && IsWindowEnabled(b);
  };
  ButtonState s;
  s.back = usable(kBackButton);
  s.next = usable(kNextButton);
  s.finish = usable(kFinishButton);
  s.cancel = usable(IDCANCEL);
  return s;
}

bool WizardUnderTest::Checked(int controlId) const {
  return IsDlgButtonChecked(Page(), controlId) == BST_CHECKED;
}

bool WizardUnderTest::WaitForEnd(DWORD timeoutMs) {
  return WaitForSingleObject(ended_, timeoutMs) == WAIT_OBJECT_0;
}

}  // namespace marvella::test
