#pragma once

#include "RegistryKey.h"
#include "TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

// What every test main does around its application object (QCoreApplication
// or QApplication): no test needs a screen, and test discovery runs the
// binary without ctest's environment, so the offscreen platform is the
// fallback also when run by hand; settings go to a private temporary file,
// and the cache folder is a private temporary one, so no test reads or writes
// the user's.
template <class App> int RunTestMain(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    App app(argc, argv);
    RegistryKey::SetStorageFile(QDir(MakeTempDir()).filePath(QStringLiteral("settings.ini")));
    qputenv("XDG_CACHE_HOME", MakeTempDir().toUtf8());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
