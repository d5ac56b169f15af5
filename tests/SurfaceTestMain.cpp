// SPDX-License-Identifier: MIT
// The main of the surface's and the model's tests, which run below the
// framework: a QGuiApplication is all that drawing text needs, so these
// programs link their layer and QtGui and nothing of the framework,
// QtWidgets or QtPrintSupport.

#include "TestWatchdog.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Off screen unless the environment names a platform, as for the
    // other test programs.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return RunAllTestsWatched();
}
