#include "RegistryKey.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

// Every test binary keeps its settings in a private temporary file, so no test
// reads or writes the user's settings.
int main(int argc, char** argv)
{
    // Tests never need a display, also when run by hand.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication app(argc, argv);
    RegistryKey::SetStorageFile(QDir(MakeTempDir()).filePath(QStringLiteral("settings.ini")));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
