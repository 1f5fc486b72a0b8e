#pragma once
// Finding a report project file from the path the program writes for it
// ("RELATORIOS\\rvFinanceiro.rav", "relatorios\\pedidos.rav"): the separators
// may be backslashes, and each folder and file name is matched without
// regard to case, so the spellings of one folder all find it on any system.

#include <QString>
#include <QStringList>

namespace rv {

// The existing file that the relative path names below one of the folders,
// tried in order; an empty text when none holds it.
QString locateProjectFile(const QString &relativePath, const QStringList &baseFolders);

// The folders a project is looked for in: the current directory, then the
// folder of the program's executable (an installed program finds its reports).
QStringList projectSearchFolders();

// The path shown when the project is missing: the relative path expanded
// against the current directory, in the system's separators.
QString expectedProjectPath(const QString &relativePath);

} // namespace rv
