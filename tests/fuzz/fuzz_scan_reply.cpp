// The server's scan reply and the lists a scan fills from it.
// Input: the reply body.
#include "FuzzSupport.h"

#include "TransferLists.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ZoFuzz::app();
    const QByteArray reply(reinterpret_cast<const char *>(data), int(size));
    bool ok = false;
    const QStringList names = TransferLists::transArrayToList(reply, &ok);
    ZoFuzz::require(ok || names.isEmpty(), "a rejected reply gives no names");
    ZoFuzz::require(!names.contains(QStringLiteral(".")) && !names.contains(QStringLiteral("..")), "dot entries dropped");

    TransferLists lists;
    lists.setMediaIndex(ZoFuzz::file(QStringLiteral("TEMP/MEDIA.orvex")));
    lists.addToListHttp(names);
    ZoFuzz::require(lists.boxList().size() == lists.boxNameList().size(), "one display name per box");
    while (lists.transferFileCount() > 0)
        lists.removeFirstTransferFile();
    return 0;
}
