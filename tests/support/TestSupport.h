#pragma once

#include <QString>

// Folder of the track files written by other programs (shared fixtures).
QString FixturesDir();
// A fresh temporary folder for one test, removed at exit.
QString MakeTempDir();
