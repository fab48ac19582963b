// A clean slate for tests of the windows: a settings file of their own in a
// temporary folder, empty seam logs and queues.
#pragma once

#include "support/testserver.h"

#include <QFile>

#include <gtest/gtest.h>

namespace exporttest {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    QString file(const QString &name) const { return tmp.file(name); }
    static QByteArray readAll(const QString &path);
    // The texts of the message boxes asked for since SetUp.
    static QStringList messages();

    testsupport::TempFolder tmp;
};

}  // namespace exporttest
