// Parameter files: the readers on any bytes, and the writer's round trip.
//
// Input: one flag byte, then parts separated by 0x1F.
//  flag bit 0 clear: part 0 is the file (enciphered first when bit 1 is
//   set), part 1 a key, part 2 a value: every read runs, then one write.
//  flag bit 0 set: key, value, key, value... written one by one into a new
//   file; after each successful write every key written reads back.
#include "FuzzSupport.h"

#include "ClassParam.h"

#include <QMap>

namespace {

void damagedFile(quint8 flags, const QList<QByteArray> &parts)
{
    ClassParam param;
    const QString path = ZoFuzz::file(QStringLiteral("TEMP/fuzz.orvex"));
    const QByteArray content = parts.value(0);
    ZoFuzz::writeBytes(path, flags & 2 ? param.CryptRC4(ZoFuzz::latin1(content)).toLatin1() : content);
    const QString key = ZoFuzz::latin1(parts.value(1));
    const QString value = QString::fromUtf8(parts.value(2));

    param.getParamCrypt(path, key, flags & 4 ? 1 : 0);
    param.getParamCrypt(path, QStringList{key, QStringLiteral("EMPREINTE")}, 1);
    param.getParamCrypt(path, QStringList{QStringLiteral("ALL")}, flags & 4 ? 1 : 0);
    param.getInfoBalise(key);
    if (param.setParamCrypt(path, key, value)) {
        // Whatever the file held, a write leaves a file whose fingerprint checks.
        ZoFuzz::require(param.getParamCrypt(path, QStringList{QStringLiteral("ALL")}, 1), "fingerprint after a write");
        const QString stored = ZoFuzz::storedText(value);
        ZoFuzz::require(param.getParamCrypt(path, key, 1) == stored.left(stored.indexOf(QLatin1Char('"'))),
                        "the key written reads back");
    }
}

void roundTrip(const QList<QByteArray> &parts)
{
    const QString path = ZoFuzz::file(QStringLiteral("TEMP/roundtrip.orvex"));
    ZoFuzz::writeBytes(path, QByteArray());
    ClassParam param;
    QMap<QString, QString> expected;
    for (int i = 0; i + 1 < parts.size() && i < 32; i += 2) {
        const QString key = ZoFuzz::latin1(parts.at(i));
        const QString value = QString::fromUtf8(parts.at(i + 1));
        if (!param.setParamCrypt(path, key, value))
            continue;
        expected.insert(key, ZoFuzz::storedText(value));

        ZoFuzz::require(param.getParamCrypt(path, QStringList{QStringLiteral("ALL")}, 1), "list read after a write");
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            ZoFuzz::require(param.getInfoBalise(it.key()) == it.value(), "list read gives the value written");
            const QString single = it.value().left(it.value().indexOf(QLatin1Char('"')));
            ZoFuzz::require(param.getParamCrypt(path, it.key(), 1) == single, "single read gives the value written");
        }
        ZoFuzz::require(param.BALISE.value(0).size() == expected.size() + 1, "one table row per key and the fingerprint");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ZoFuzz::app();
    const ZoFuzz::FlaggedInput input(data, size);
    if (!input.valid)
        return 0;
    if (input.flags & 1)
        roundTrip(input.parts);
    else
        damagedFile(input.flags, input.parts);
    return 0;
}
