#include "privateserver.h"

#include <QFile>
#include <QProcess>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace {

const QString kPassword = QStringLiteral("zorva-private");

int freeLoopbackPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    socklen_t len = sizeof a;
    int port = 0;
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    if (fd >= 0)
        ::close(fd);
    if (port == 0)
        throw std::runtime_error("no free loopback port");
    return port;
}

}  // namespace

PrivateServer::PrivateServer()
    : m_dir(QStringLiteral("/tmp/zorva-private.XXXXXX")), m_port(freeLoopbackPort())
{
    start();
    qputenv("ZORVA_TEST_HOST", "127.0.0.1");
    qputenv("ZORVA_TEST_PORT", QByteArray::number(m_port));
    qputenv("ZORVA_TEST_USER", "root");
    qputenv("ZORVA_TEST_PASSWORD", kPassword.toUtf8());
    qputenv("ZORVA_TEST_SOCKET", QFile::encodeName(m_dir.filePath(QStringLiteral("mysqld.sock"))));
}

PrivateServer::~PrivateServer()
{
    try {
        stop();
    } catch (...) {
    }
}

void PrivateServer::script(const QStringList &args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.setStandardOutputFile(QProcess::nullDevice());
    // The password goes by the environment: nothing on a command line shows it.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZORVA_PASSWORD"), kPassword);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("bash"),
            QStringList{QStringLiteral(ZORVA_SOURCE_DIR "/scripts/localdb.sh")} + args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        throw std::runtime_error("localdb.sh " + args.join(u' ').toStdString() + " failed");
}

void PrivateServer::start()
{
    script({QStringLiteral("start"), m_dir.path(), QString::number(m_port)});
}

void PrivateServer::stop()
{
    script({QStringLiteral("stop"), m_dir.path()});
}
