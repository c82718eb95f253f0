// Operation journals: one append, then the merge into a media index.
//
// Input: one flag byte, then parts separated by 0x1F: the journal's plain
// text, the index's plain text, then the fields of the record appended.
// Both texts are enciphered as the files are. Flag bit 0 picks the
// administration journal, bit 1 leaves the append out.
#include "FuzzSupport.h"

#include "ClassParam.h"
#include "JournalMerge.h"
#include "OperationJournal.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ZoFuzz::app();
    const ZoFuzz::FlaggedInput input(data, size);
    if (!input.valid)
        return 0;
    const QList<QByteArray> &parts = input.parts;
    const quint8 flags = input.flags;
    const bool admin = flags & 1;
    const QString journal = ZoFuzz::file(admin ? QStringLiteral("TEMP/INFOADMIN.orvex") : QStringLiteral("TEMP/INFOMEDIA.orvex"));
    const QString index = ZoFuzz::file(QStringLiteral("TEMP/MEDIA.orvex"));
    // The merge appends to the daily log; one log per input keeps it small.
    QDir(ZoFuzz::file(QStringLiteral("LOG"))).removeRecursively();
    QDir(ZoFuzz::workFolder()).mkpath(QStringLiteral("LOG"));

    ClassParam param;
    const auto cipher = [&param](const QByteArray &plain) {
        return param.CryptRC4(ZoFuzz::latin1(plain)).toLatin1();
    };
    ZoFuzz::writeBytes(journal, cipher(parts.value(0)));
    ZoFuzz::writeBytes(index, cipher(parts.value(1)));

    if (!(flags & 2)) {
        QStringList fields;
        for (int i = 2; i < parts.size(); ++i)
            fields << ZoFuzz::latin1(parts.at(i));
        const QString before = param.getParamCrypt(journal, OperationJournal::countKey(), 0);
        // What a write leaves in a damaged file is not held to the format.
        const bool wellFormed = parts.value(0).isEmpty() || param.getParamCrypt(journal, QStringList{QStringLiteral("ALL")}, 1);
        QString error;
        const bool appended = OperationJournal::append(journal, fields, &error);
        ZoFuzz::require(appended || !error.isEmpty(), "a refused append says why");
        if (appended && wellFormed) {
            const QString count = param.getParamCrypt(journal, OperationJournal::countKey(), 0);
            bool ok = false;
            const int number = count.toInt(&ok);
            ZoFuzz::require(ok && number >= 1, "the counter is a positive number after an append");
            ZoFuzz::require(before.toInt() <= 0 || number == before.toInt() + 1, "the counter rises by one");
            ZoFuzz::require(param.getParamCrypt(journal, OperationJournal::recordKey(number), 0)
                                == ZoFuzz::storedText(fields.join(QLatin1Char('|'))).section(QLatin1Char('"'), 0, 0),
                            "the record reads back under the counter's number");
        }
    }

    if (admin)
        JournalMerge::mergeAdmin(index, journal);
    else
        JournalMerge::mergeMedia(index, journal);
    return 0;
}
