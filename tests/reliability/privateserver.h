// A MariaDB server of the test's own, in a temporary folder on a free loopback port, that the
// test may stop and start again.  While it lives, ZORVA_TEST_* name it, so that every helper
// of the test support (scratch schemas, connections) uses it.
#pragma once

#include <QString>
#include <QTemporaryDir>

class PrivateServer {
public:
    PrivateServer();   // creates and starts it
    ~PrivateServer();  // stops it; the folder goes with it
    PrivateServer(const PrivateServer &) = delete;
    PrivateServer &operator=(const PrivateServer &) = delete;

    void start();
    void stop();  // waits until the server has exited
    int port() const { return m_port; }

private:
    void script(const QStringList &args);
    QTemporaryDir m_dir;
    int m_port = 0;
};
