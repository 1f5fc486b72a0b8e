#pragma once
// The views of the contract, with the result columns the screens read.

#include "data/ConnectionSettings.h"

#include <QStringList>

namespace rv::db {

QStringList viewStatements(Backend backend);

} // namespace rv::db
