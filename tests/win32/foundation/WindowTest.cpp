// A real window on the test display: created, found by class and title, captured.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/WindowDriver.h"

using namespace marvella::test;

TEST(Window, IsCreatedFoundAndCaptured) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "MarvellaTestWindow";
  ASSERT_NE(0, RegisterClassA(&wc));
  HWND w = CreateWindowA("MarvellaTestWindow", "Prueba de ventana", WS_OVERLAPPEDWINDOW, 40, 40,
                         320, 200, nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(nullptr, w);
  CreateWindowA("STATIC", "Instalación de Marvella", WS_CHILD | WS_VISIBLE, 20, 20, 260, 24, w,
                nullptr, wc.hInstance, nullptr);
  ShowWindow(w, SW_SHOW);
  UpdateWindow(w);
  EXPECT_EQ(w, WaitForWindow("MarvellaTestWindow", "Prueba de ventana", 5000));
  EXPECT_FALSE(SaveWindowScreenshot(w, "foundation-window").empty());
  DestroyWindow(w);
}
