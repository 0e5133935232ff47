// One QCoreApplication for the GoogleTest cases of a test program whose code waits in Qt event loops
// (the tool runner) but shows no widgets.
#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
