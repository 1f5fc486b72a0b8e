#include "ProjectLocator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace rv {

namespace {

QStringList componentsOf(const QString &relativePath)
{
    QString path = relativePath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QStringList parts;
    for (const QString &p : path.split(QLatin1Char('/'), Qt::SkipEmptyParts))
        if (p != QLatin1String("."))
            parts << p;
    return parts;
}

// The entry of the folder with that name: the exact spelling first, then any
// spelling that differs only in case.
QString entryIn(const QString &folder, const QString &name, bool last)
{
    const QDir dir(folder);
    if (name == QLatin1String(".."))
        return QFileInfo(dir.absoluteFilePath(name)).isDir() ? QDir::cleanPath(dir.absoluteFilePath(name)) : QString();
    const QFileInfo exact(dir.absoluteFilePath(name));
    if (exact.exists() && (last ? exact.isFile() : exact.isDir()))
        return exact.absoluteFilePath();
    const QDir::Filters filters = (last ? QDir::Files : QDir::Dirs) | QDir::Hidden | QDir::NoDotAndDotDot;
    const QStringList entries = dir.entryList(filters, QDir::Name);
    for (const QString &entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.absoluteFilePath(entry);
    return {};
}

} // namespace

QString locateProjectFile(const QString &relativePath, const QStringList &baseFolders)
{
    const QStringList parts = componentsOf(relativePath);
    if (parts.isEmpty())
        return {};
    for (const QString &base : baseFolders) {
        if (base.isEmpty())
            continue;
        QString at = QDir(base).absolutePath();
        for (int i = 0; i < parts.size() && !at.isEmpty(); ++i)
            at = entryIn(at, parts[i], i == parts.size() - 1);
        if (!at.isEmpty())
            return at;
    }
    return {};
}

QStringList projectSearchFolders()
{
    QStringList folders{QDir::currentPath()};
    if (QCoreApplication::instance()) {
        const QString exeFolder = QCoreApplication::applicationDirPath();
        if (!exeFolder.isEmpty() && QDir(exeFolder) != QDir::current())
            folders << exeFolder;
    }
    return folders;
}

QString expectedProjectPath(const QString &relativePath)
{
    return QDir::toNativeSeparators(QDir::current().absoluteFilePath(componentsOf(relativePath).join(QLatin1Char('/'))));
}

} // namespace rv
