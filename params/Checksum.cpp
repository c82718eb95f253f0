#include "Checksum.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QFile>

QString CalculChecksum(QString path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        qDebug().noquote() << "error:" << QStringLiteral("Unable to open file %1").arg(path);
        return QString();
    }
    qDebug().noquote() << "File use:" << path;
    QCryptographicHash hash(QCryptographicHash::Md5);
    char block[16384];
    for (;;) {
        const qint64 n = file.read(block, sizeof block);
        if (n < 0) {
            qDebug() << "Read error!!!!";
            break;
        }
        if (n == 0)
            break;
        hash.addData(block, int(n));
    }
    const QString sum = QString::fromLatin1(hash.result().toHex().toUpper());
    qDebug().noquote() << "md5 Checksum:" << sum;
    return sum;
}
