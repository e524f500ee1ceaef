#include "commands/ImageList.h"
#include "platform/Platform.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    lorva::preparePlatform();
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lorvaspeak-tests"));
    lorva::useIconThemes();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
