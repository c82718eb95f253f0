// The poster list file of a screen: load, records, and their rewrite.
// Input: the file's plain text (enciphered as the file is), after one flag
// byte: bit 0 stores it as it is instead, bit 1 moves the last poster first
// and appends one, bit 2 removes the first, bit 3 rewrites names and entries.
#include "FuzzSupport.h"

#include "ClassParam.h"
#include "PosterListFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ZoFuzz::app();
    if (size < 1)
        return 0;
    const quint8 flags = data[0];
    const QByteArray plain(reinterpret_cast<const char *>(data + 1), int(size - 1));
    ClassParam store;
    PosterListFile list(store, ZoFuzz::workFolder() + QLatin1Char('/'));
    ZoFuzz::writeBytes(list.path(),
                       flags & 1 ? plain : store.CryptRC4(ZoFuzz::latin1(plain)).toLatin1());

    if (!list.load())
        return 0;
    list.namesInTable();
    const int count = list.count();
    ZoFuzz::require(count >= 1, "at least one poster");
    const PosterListFile::Records records = list.records();
    for (const QStringList &record : records)
        ZoFuzz::require(record.size() == PosterListFile::FieldCount, "every record has every field");

    // Held to the format only: what a write makes of a damaged file (keys
    // after the fingerprint line, say) is not checked here.
    ClassParam check;
    const bool wellFormed = check.getParamCrypt(list.path(), QStringList{QStringLiteral("ALL")}, 1);
    if (list.setRecords(records) && wellFormed)
        ZoFuzz::require(list.records() == records, "records written read back the same");
    if (flags & 2) {
        list.movePoster(count - 1, 0);
        list.appendPoster(count);
        list.load();
    }
    if (flags & 4) {
        // Legacy per-poster files beside the list, renumbered by a removal.
        for (int n = 1; n <= qMin(count, 3); ++n)
            ZoFuzz::writeBytes(list.dataFolder() + QStringLiteral("Slide%1.txt").arg(n), "text");
        list.removePoster(0);
        list.load();
    }
    if (flags & 8) {
        const QStringList names = list.namesInTable();
        list.writeNames(names);
        list.setEntry(PosterListFile::keys().at(flags >> 4 & 15), count, names.value(0), count);
        list.setEntries(0, {{QStringLiteral("SLIDENAMEIMAGE"), names.value(0)}, {QStringLiteral("SLIDENAMEIMAGECHK"), QString()}}, count);
    }
    return 0;
}
