#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// Reads and writes the encrypted key/value parameter files (".orvex").
// Every call opens and parses the whole file again; the only cache is the
// BALISE table filled by the list read.
class ClassParam
{
public:
    ClassParam();

    void InitCryptRC4(QString key);
    void Init();

    QString getParamCrypt(QString file, QString key, int check);
    bool getParamCrypt(QString file, QStringList keys, int check);

    QString getInfoBalise(QString key);
    QString getInfoBalise(QList<QList<QString>> table, QString key);

    bool setParamCrypt(QString file, QString key, QString value);
    // Several keys in one atomic write; the bytes are those that the same
    // keys set one after the other would leave. On failure the file keeps
    // its old content and `error` (when given) says why.
    bool setParamsCrypt(QString file, QList<QPair<QString, QString>> values, QString *error = nullptr);

    QString cryptSha1(QString text);
    QString CryptRC4(QString text);
    QString DeCryptRC4(QString hexText);

    // The key table of the last list read: row 0 keys, row 1 values.
    QList<QList<QString>> BALISE;

    static const char *const KeyText;

private:
    QByteArray rc4(const QByteArray &data) const;
    QString plaintextOf(const QByteArray &raw) const;
    QString applyKey(QString plain, const QString &key, const QString &value);
    bool fingerprintOk(const QString &plain);
    void resetTable();

    QList<QString> m_emptyRow;
    unsigned char m_state[256];
};
