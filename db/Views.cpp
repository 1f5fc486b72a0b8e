#include "Views.h"

namespace rv::db {

QStringList viewStatements(Backend backend)
{
    return {};
}

} // namespace rv::db
