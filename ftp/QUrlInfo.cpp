#include "QUrlInfo.h"

#include <QFileInfo>
#include <QUrl>

struct QUrlInfo::Data
{
    QString name;
    int permissions = 0;
    QString owner;
    QString group;
    qint64 size = 0;
    QDateTime lastModified;
    QDateTime lastRead;
    bool isDir = false;
    bool isFile = true;
    bool isSymLink = false;
    bool isWritable = true;
    bool isReadable = true;
    bool isExecutable = false;

    bool operator==(const Data &o) const
    {
        return name == o.name && permissions == o.permissions && owner == o.owner && group == o.group
               && size == o.size && lastModified == o.lastModified && lastRead == o.lastRead && isDir == o.isDir
               && isFile == o.isFile && isSymLink == o.isSymLink && isWritable == o.isWritable
               && isReadable == o.isReadable && isExecutable == o.isExecutable;
    }
};

QUrlInfo::QUrlInfo()
    : d(nullptr)
{
}

QUrlInfo::QUrlInfo(const QUrlInfo &other)
    : d(other.d ? new Data(*other.d) : nullptr)
{
}

QUrlInfo::QUrlInfo(const QString &name, int permissions, const QString &owner, const QString &group, qint64 size,
                   const QDateTime &lastModified, const QDateTime &lastRead, bool isDir, bool isFile,
                   bool isSymLink, bool isWritable, bool isReadable, bool isExecutable)
    : d(new Data)
{
    d->name = name;
    d->permissions = permissions;
    d->owner = owner;
    d->group = group;
    d->size = size;
    d->lastModified = lastModified;
    d->lastRead = lastRead;
    d->isDir = isDir;
    d->isFile = isFile;
    d->isSymLink = isSymLink;
    d->isWritable = isWritable;
    d->isReadable = isReadable;
    d->isExecutable = isExecutable;
}

QUrlInfo::QUrlInfo(const QUrl &url, int permissions, const QString &owner, const QString &group, qint64 size,
                   const QDateTime &lastModified, const QDateTime &lastRead, bool isDir, bool isFile,
                   bool isSymLink, bool isWritable, bool isReadable, bool isExecutable)
    : QUrlInfo(QFileInfo(url.path(QUrl::FullyDecoded)).fileName(), permissions, owner, group, size, lastModified,
               lastRead, isDir, isFile, isSymLink, isWritable, isReadable, isExecutable)
{
}

QUrlInfo &QUrlInfo::operator=(const QUrlInfo &other)
{
    if (this == &other)
        return *this;
    if (!other.d) {
        delete d;
        d = nullptr;
    } else if (d) {
        *d = *other.d;
    } else {
        d = new Data(*other.d);
    }
    return *this;
}

QUrlInfo::~QUrlInfo()
{
    delete d;
}

QUrlInfo::Data &QUrlInfo::data()
{
    if (!d)
        d = new Data;
    return *d;
}

void QUrlInfo::setName(const QString &name) { data().name = name; }
void QUrlInfo::setDir(bool b) { data().isDir = b; }
void QUrlInfo::setFile(bool b) { data().isFile = b; }
void QUrlInfo::setSymLink(bool b) { data().isSymLink = b; }
void QUrlInfo::setOwner(const QString &s) { data().owner = s; }
void QUrlInfo::setGroup(const QString &s) { data().group = s; }
void QUrlInfo::setSize(qint64 size) { data().size = size; }
void QUrlInfo::setWritable(bool b) { data().isWritable = b; }
void QUrlInfo::setReadable(bool b) { data().isReadable = b; }
void QUrlInfo::setPermissions(int p) { data().permissions = p; }
void QUrlInfo::setLastModified(const QDateTime &dt) { data().lastModified = dt; }
void QUrlInfo::setLastRead(const QDateTime &dt) { data().lastRead = dt; }

bool QUrlInfo::isValid() const { return d != nullptr; }
QString QUrlInfo::name() const { return d ? d->name : QString(); }
int QUrlInfo::permissions() const { return d ? d->permissions : 0; }
QString QUrlInfo::owner() const { return d ? d->owner : QString(); }
QString QUrlInfo::group() const { return d ? d->group : QString(); }
qint64 QUrlInfo::size() const { return d ? d->size : 0; }
QDateTime QUrlInfo::lastModified() const { return d ? d->lastModified : QDateTime(); }
QDateTime QUrlInfo::lastRead() const { return d ? d->lastRead : QDateTime(); }
bool QUrlInfo::isDir() const { return d && d->isDir; }
bool QUrlInfo::isFile() const { return d && d->isFile; }
bool QUrlInfo::isSymLink() const { return d && d->isSymLink; }
bool QUrlInfo::isWritable() const { return d && d->isWritable; }
bool QUrlInfo::isReadable() const { return d && d->isReadable; }
bool QUrlInfo::isExecutable() const { return d && d->isExecutable; }

bool QUrlInfo::greaterThan(const QUrlInfo &i1, const QUrlInfo &i2, int sortBy)
{
    switch (sortBy) {
    case ByName:
        return i1.name() > i2.name();
    case ByTime:
        return i1.lastModified() > i2.lastModified();
    case BySize:
        return i1.size() > i2.size();
    default:
        return false;
    }
}

bool QUrlInfo::lessThan(const QUrlInfo &i1, const QUrlInfo &i2, int sortBy)
{
    return !greaterThan(i1, i2, sortBy);
}

bool QUrlInfo::equal(const QUrlInfo &i1, const QUrlInfo &i2, int sortBy)
{
    switch (sortBy) {
    case ByName:
        return i1.name() == i2.name();
    case ByTime:
        return i1.lastModified() == i2.lastModified();
    case BySize:
        return i1.size() == i2.size();
    default:
        return false;
    }
}

bool QUrlInfo::operator==(const QUrlInfo &other) const
{
    if (!d || !other.d)
        return !d && !other.d;
    return *d == *other.d;
}
