// Entry point of the GUI test programs: a QApplication on Qt's offscreen platform (unless the
// caller chose another one), then every GoogleTest test.

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Maltrecht");
    QApplication::setApplicationName("Terminor");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
