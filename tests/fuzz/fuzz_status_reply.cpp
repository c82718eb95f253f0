// The account's box-status reply, parsed as the poller parses it.
// Input: the reply body. The serial looked up is the first key-like text.
#include "FuzzSupport.h"

#include "BoxStatus.h"

#include <QDateTime>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ZoFuzz::app();
    const QByteArray reply(reinterpret_cast<const char *>(data), int(size));
    bool ok = false;
    const QStringList entries = BoxStatus::parseReply(reply, &ok);
    ZoFuzz::require(ok || entries.isEmpty(), "a rejected reply gives no entries");
    static const QDateTime now(QDate(2026, 3, 1), QTime(12, 0), Qt::UTC);
    for (const QString &entry : entries) {
        const QString serial = entry.section(QLatin1Char(';'), 0, 0);
        ZoFuzz::require(!BoxStatus::entryFor(entries, serial).isEmpty() || serial.isEmpty(), "an entry is found by its serial");
        BoxStatus::indicators(entry, now);
        BoxStatus::indicators(entry, now.addSecs(BoxStatus::OnlineSeconds));
    }
    BoxStatus::indicators(ZoFuzz::latin1(reply.left(200)), now);
    return 0;
}
