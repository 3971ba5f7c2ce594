#include "TestMainBody.h"

#include <QApplication>

// The main of test programs that need widgets.
int main(int argc, char** argv)
{
    return RunTestMain<QApplication>(argc, argv);
}
