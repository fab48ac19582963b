#include "testserver.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <atomic>

namespace testsupport {

ServerParams serverParams()
{
    ServerParams p;
    p.host = qEnvironmentVariable("ZORVA_TEST_HOST", QStringLiteral("127.0.0.1"));
    p.port = qEnvironmentVariableIntValue("ZORVA_TEST_PORT");
    p.user = qEnvironmentVariable("ZORVA_TEST_USER", QStringLiteral("root"));
    p.password = qEnvironmentVariable("ZORVA_TEST_PASSWORD");
    p.socket = qEnvironmentVariable("ZORVA_TEST_SOCKET");
    return p;
}

bool serverConfigured()
{
    return qEnvironmentVariableIntValue("ZORVA_TEST_PORT") > 0;
}

std::unique_ptr<TmySQLDatabase> connect(const QString &schema, bool latin2)
{
    const ServerParams p = serverParams();
    auto db = std::make_unique<TmySQLDatabase>();
    db->setHost(p.host);
    db->setPort(p.port);
    db->setUserName(p.user);
    db->setUserPassword(p.password);
    db->setDatabaseName(schema);
    db->setConnectOptions(coCompress);
    db->setParams({QStringLiteral("Port=%1").arg(p.port), QStringLiteral("TIMEOUT=30")});
    if (latin2) {
        db->setConnectionCharacterSet(QStringLiteral("latin2"));
        db->setConnectionCollation(QStringLiteral("latin2_hungarian_ci"));
    }
    db->open();
    return db;
}

ScratchSchema::ScratchSchema()
{
    static std::atomic<int> counter{0};
    m_name = QStringLiteral("zt_%1_%2_%3")
                 .arg(QCoreApplication::applicationPid())
                 .arg(counter++)
                 .arg(QRandomGenerator::global()->bounded(1000000));
    auto admin = testsupport::connect();
    admin->execute(QStringLiteral("CREATE DATABASE `%1` CHARACTER SET latin2 COLLATE latin2_hungarian_ci")
                       .arg(m_name));
    m_db = connect();
}

ScratchSchema::~ScratchSchema()
{
    try {
        m_db.reset();
        auto admin = testsupport::connect();
        admin->execute(QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(m_name));
    } catch (...) {
    }
}

std::unique_ptr<TmySQLDatabase> ScratchSchema::connect(bool latin2) const
{
    return testsupport::connect(m_name, latin2);
}

TempFolder::TempFolder() = default;

}  // namespace testsupport
