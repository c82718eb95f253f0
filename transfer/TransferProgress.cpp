#include "TransferProgress.h"

#include "HttpFileApi.h"
#include "TransferLists.h"

#include <QCoreApplication>
#include <QDebug>

namespace {

double percent(double part, double whole)
{
    if (whole <= 0)
        return 0;
    return qBound(0.0, part / whole * 100.0, 100.0);
}

} // namespace

TransferProgress::TransferProgress(HttpFileApi *api, QObject *parent)
    : QObject(parent)
    , m_api(api)
{
    connect(api, &HttpFileApi::signalProgress, this, &TransferProgress::updateDataTransferProgress);
    // Any end: the STATUS download counts its time-outs only at 0.
    connect(api, &HttpFileApi::signalTransferEnded, this, &TransferProgress::resetTransfert);
}

QString TransferProgress::MessageErreurConnexionText(int code)
{
    return QCoreApplication::translate("classPrincipal", "Problème de connexion au serveur")
        + QStringLiteral("(type n°") + QString::number(code) + QLatin1String(") | ")
        + QCoreApplication::translate("classPrincipal", "Veuillez vérifier votre connexion internet!!!");
}

void TransferProgress::MessageErreurConnexion(int code)
{
    // In local mode no connection fails: a write on this computer did.
    const QString local = m_api->localMode() ? m_api->localWriteFailure() : QString();
    emit signalErreurConnexion(code, local.isEmpty() ? MessageErreurConnexionText(code) : local);
}

void TransferProgress::resetTransfert()
{
    m_transfertEnCours = 0;
}

void TransferProgress::updateDataTransferProgress(qint64 readBytes, qint64 totalBytes)
{
    qDebug() << "readBytes:" << readBytes;
    if (m_transfertEnCours == 0) {
        m_transfertEnCours = 1;
        return;
    }
    if (m_transfertEnCours != 1 || totalBytes < 101)
        return;

    const QString label = m_api->statusLabel();
    if (label.contains(QLatin1String("STATUS.orvex")) || label.contains(QLatin1String("ZOVALIDATE_")))
        return;

    const double file = percent(readBytes, totalBytes);
    const TransferLists *lists = m_api->lists();
    const QStringList names = lists->transferFiles();
    if (names.isEmpty()) {
        emit signalMessageOnlyON(label, 0, file, true, true);
        return;
    }
    for (int i = 0; i < names.size(); ++i)
        qDebug().noquote() << "Listfile[" + QString::number(i) + "]=" + names.at(i);
    // The list may have been filled after the last count: never below 0 %.
    const int total = qMax(lists->fileCount(), names.size());
    const double overall = 100.0 - percent(names.size(), total);
    const QString text = label + QLatin1Char('(') + QCoreApplication::translate("classPrincipal", "Reste ")
        + QString::number(names.size()) + QLatin1Char(' ')
        + QCoreApplication::translate("classPrincipal", "Fichier(s)") + QLatin1Char(')');
    emit signalMessageOnlyON(text, overall, file, true, true);
}
