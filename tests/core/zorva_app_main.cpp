// main() of the tests that need the program's own application object (its notify()
// is the global error display).
#include "core/ui/application.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    zorva::ZorvaApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
