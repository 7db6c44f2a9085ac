#include <QApplication>
#include <gtest/gtest.h>

// Window and component tests need one QApplication for the whole run; its own main, not in the
// support library, which other suites link with GoogleTest's main.
int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
