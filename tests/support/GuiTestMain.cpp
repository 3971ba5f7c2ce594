#include "RegistryKey.h"
#include "TestSupport.h"

#include <QApplication>
#include <QDir>

#include <gtest/gtest.h>

// The main of test binaries that need widgets: a QApplication instead of the
// QCoreApplication of the common main. No test needs a screen; test
// discovery runs the binary without ctest's environment, so the offscreen
// platform is the fallback here too. Settings go to a private file.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RegistryKey::SetStorageFile(QDir(MakeTempDir()).filePath(QStringLiteral("settings.ini")));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
