#include "support/TestDialogs.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // No test may ever block on a dialog: every box is recorded instead.
    TestDialogs::install();
    return RUN_ALL_TESTS();
}
