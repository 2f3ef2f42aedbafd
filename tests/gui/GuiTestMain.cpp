// Runs the GUI tests with the toolkit initialised on the test display.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <clocale>
#include <cstdio>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  std::setlocale(LC_ALL, "");
  // Listing the tests needs no display: CTest lists them wherever it runs.
  if (testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  if (!gtk_init_check(&argc, &argv)) {
    std::fputs("gui_tests: no display; run under Xvfb\n", stderr);
    return 1;
  }
  return RUN_ALL_TESTS();
}
