#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>

// The GUI tests drive real widgets, which need one application object for the whole run.
// They run without a display unless told otherwise (also when ctest lists them at build time).
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacao(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
