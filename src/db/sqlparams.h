// ":name" parameters inside statement texts.  Text inside quotes, backticks and comments
// is left alone; "::" and ":=" are not parameters.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace sqlparams {

// Names in the order they first appear (as written; compare without case).
QStringList names(const QString &sql);
// The text with each parameter replaced by literalOf(name).
QString substitute(const QString &sql, const std::function<QString(const QString &name)> &literalOf);

}  // namespace sqlparams
