// FTP listing lines and the entries they become.
// Input: listing text; the first line is the user name the listing is read for.
#include "FuzzSupport.h"

#include "QFtpDTP.h"
#include "QUrlInfo.h"

#include <QList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ZoFuzz::app();
    const QList<QByteArray> lines = ZoFuzz::parts(data, size, '\n');
    const QString user = ZoFuzz::latin1(lines.value(0));
    QList<QUrlInfo> entries;
    for (int i = 1; i < lines.size() && i < 64; ++i) {
        QUrlInfo info;
        if (QFtpDTP::parseDir(lines.at(i), user, &info)) {
            ZoFuzz::require(info.isValid(), "a parsed line gives a valid entry");
            entries.append(info);
        }
    }
    for (int i = 0; i < entries.size(); ++i) {
        const QUrlInfo &a = entries.at(i);
        const QUrlInfo &b = entries.at((i + 1) % entries.size());
        for (int sortBy = 0; sortBy < 3; ++sortBy) {
            QUrlInfo::greaterThan(a, b, sortBy);
            QUrlInfo::lessThan(a, b, sortBy);
            ZoFuzz::require(QUrlInfo::equal(a, a, sortBy), "an entry equals itself");
        }
        QUrlInfo copy(a);
        ZoFuzz::require(copy == a, "a copy equals its original");
        copy.setName(b.name());
        copy.setSize(b.size());
        copy.setPermissions(b.permissions());
        copy.setLastModified(b.lastModified());
        QUrlInfo assigned;
        assigned = copy;
        ZoFuzz::require(assigned == copy && assigned.name() == b.name(), "assignment copies");
    }
    return 0;
}
