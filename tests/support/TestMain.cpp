#include "TestMainBody.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    return RunTestMain<QCoreApplication>(argc, argv);
}
