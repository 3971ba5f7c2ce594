#pragma once

#include "OblOptions.h"

// The view setting that decides the main window's title: with or without
// the version number.
class TitleOptions : public OblOptionsBase
{
public:
    TitleOptions();
    static TitleOptions& GetInstance();

    OblOptionBool showVersion{true};
};
