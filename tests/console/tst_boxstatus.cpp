#include "BoxStatus.h"

#include <QtTest>

namespace {

// The reply as the console has always taken it apart by hand; JSON parsing
// must give the same entries for every well-formed reply.
QStringList byCharacters(QString text)
{
    text.remove(QLatin1Char('"')).remove(QLatin1Char('{')).remove(QLatin1Char('}'));
    QStringList parts = text.split(QLatin1Char(']'));
    for (QString &part : parts) {
        if (part.isEmpty())
            continue;
        if (part.startsWith(QLatin1Char(',')))
            part.remove(0, 1);
        part.replace(QLatin1String(":["), QLatin1String(";"));
        part.replace(QLatin1Char(','), QLatin1Char(';'));
    }
    parts.removeLast();
    return parts;
}

const QDateTime kNow(QDate(2024, 3, 15), QTime(12, 0, 0));

QString seen(int secondsAgo)
{
    return kNow.addSecs(-secondsAgo).toString(BoxStatus::lastSeenFormat());
}

QString status(const QString &icon)
{
    return icon.isEmpty() ? QString() : QStringLiteral(":/images/Status/") + icon + QStringLiteral(".png");
}

} // namespace

class BoxStatusTest : public QObject
{
    Q_OBJECT
private slots:
    void wellFormedReply_data();
    void wellFormedReply();
    void oddReply_data();
    void oddReply();
    void entryFor();
    void indicators_data();
    void indicators();
};

void BoxStatusTest::wellFormedReply_data()
{
    QTest::addColumn<QByteArray>("reply");

    QTest::newRow("one box") << QByteArray(R"({"ZB100":["2024-03-15 | 11:58:00","0","0"]})");
    QTest::newRow("two boxes")
        << QByteArray(R"({"ZB100":["2024-03-15 | 11:58:00","1","null"],"ZB2":["null","null","null"]})");
    QTest::newRow("no boxes") << QByteArray("{}");
}

void BoxStatusTest::wellFormedReply()
{
    QFETCH(QByteArray, reply);
    bool ok = false;
    QStringList parsed = BoxStatus::parseReply(reply, &ok);
    QVERIFY(ok);
    QStringList expected = byCharacters(QString::fromUtf8(reply));
    parsed.sort();
    expected.sort();
    QCOMPARE(parsed, expected);
}

void BoxStatusTest::oddReply_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("empty reply") << QByteArray() << true << QStringList{};
    QTest::newRow("blank reply") << QByteArray(" \n") << true << QStringList{};
    QTest::newRow("spaces between tokens are not part of the fields")
        << QByteArray("{ \"B\" : [ \"null\" , \"1\" ,\n \"0\" ] }") << true << QStringList{"B;null;1;0"};
    QTest::newRow("JSON null and numbers") << QByteArray(R"({"A":[null,0,1]})") << true
                                           << QStringList{"A;null;0;1"};
    QTest::newRow("comma inside a value stays one field")
        << QByteArray(R"({"A":["x,y","0","0"]})") << true << QStringList{"A;x,y;0;0"};
    QTest::newRow("short array keeps its field count") << QByteArray(R"({"A":["null","0"]})") << true
                                                       << QStringList{"A;null;0"};
    QTest::newRow("HTML error page") << QByteArray("<html><body>500</body></html>") << false << QStringList{};
    QTest::newRow("cut reply") << QByteArray(R"({"A":["null","0")") << false << QStringList{};
    QTest::newRow("server notice before the object lost every icon")
        << QByteArray("<b>Notice</b>: Undefined index in getSTATUS.php\n"
                      R"({"A":["2024-03-15 | 11:58:00","0","1"],"B":["null","null","null"]})")
        << true << QStringList{"A;2024-03-15 | 11:58:00;0;1", "B;null;null;null"};
    QTest::newRow("trailing text after the object lost every icon")
        << QByteArray(R"({"A":["null","1","0"]})" "\n<!-- 0.02 s -->") << true << QStringList{"A;null;1;0"};
    QTest::newRow("array instead of object") << QByteArray(R"([["A","null","0","0"]])") << false
                                             << QStringList{};
}

void BoxStatusTest::oddReply()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, ok);
    bool parsed = !ok;
    const QStringList entries = BoxStatus::parseReply(reply, &parsed);
    QCOMPARE(parsed, ok);
    QTEST(entries, "entries");
}

void BoxStatusTest::entryFor()
{
    const QStringList entries{"ZB10;null;0;0", "ZB1;null;1;1"};
    QCOMPARE(BoxStatus::entryFor(entries, "ZB1"), QString("ZB1;null;1;1"));
    QCOMPARE(BoxStatus::entryFor(entries, "ZB10"), QString("ZB10;null;0;0"));
    QCOMPARE(BoxStatus::entryFor(entries, "ZB"), QString());
    QCOMPARE(BoxStatus::entryFor({}, "ZB1"), QString());
}

void BoxStatusTest::indicators_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QStringList>("icons");
    QTest::addColumn<QStringList>("captions");

    const QString offDate = kNow.addSecs(-300).toString(QString::fromUtf8("dd/MM/yyyy à hh:mm:ss"));
    QTest::newRow("299 s ago, all on")
        << "S;" + seen(299) + ";0;0" << QStringList{"BoxConnexionON", "BoxEcranON", "BoxMiseAJourON"}
        << QStringList{QString::fromUtf8("Connecté"), QString::fromUtf8("Ecran allumé"),
                       QString::fromUtf8("Visuels à jour")};
    QTest::newRow("300 s ago, not connected")
        << "S;" + seen(300) + ";0;0" << QStringList{"BoxConnexionOFF", "BoxEcranNULL", "BoxMiseAJourON"}
        << QStringList{offDate, QString(), QString::fromUtf8("Visuels à jour")};
    QTest::newRow("screen and update off")
        << "S;" + seen(10) + ";1;1" << QStringList{"BoxConnexionON", "BoxEcranOFF", "BoxMiseAJourOFF"}
        << QStringList{QString::fromUtf8("Connecté"), QString::fromUtf8("Ecran éteint"),
                       QString::fromUtf8("Visuels non à jour")};
    QTest::newRow("screen not reported")
        << "S;" + seen(10) + ";null;null" << QStringList{"BoxConnexionON", "BoxEcranNULL", "BoxMiseAJourNULL"}
        << QStringList{QString::fromUtf8("Connecté"), QString(), QString()};
    QTest::newRow("never seen, update still shown")
        << "S;null;0;1" << QStringList{"BoxConnexionNULL", "BoxEcranNULL", "BoxMiseAJourOFF"}
        << QStringList{QString(), QString(), QString::fromUtf8("Visuels non à jour")};
    QTest::newRow("unreadable date") << "S;hier;0;0"
                                     << QStringList{"BoxConnexionOFF", "BoxEcranNULL", "BoxMiseAJourON"}
                                     << QStringList{QString(), QString(), QString::fromUtf8("Visuels à jour")};
    QTest::newRow("date in the future counts as connected")
        << "S;" + seen(-3600) + ";0;0" << QStringList{"BoxConnexionON", "BoxEcranON", "BoxMiseAJourON"}
        << QStringList{QString::fromUtf8("Connecté"), QString::fromUtf8("Ecran allumé"),
                       QString::fromUtf8("Visuels à jour")};
    QTest::newRow("wrong field count: captions without icons")
        << "S;null;0" << QStringList{QString(), QString(), QString()}
        << QStringList{QString::fromUtf8("Connecté"), QString::fromUtf8("Ecran allumé"),
                       QString::fromUtf8("Mise à jour OK")};
}

void BoxStatusTest::indicators()
{
    QFETCH(QString, entry);
    QFETCH(QStringList, icons);
    const BoxStatus::Indicators shown = BoxStatus::indicators(entry, kNow);
    QVERIFY(shown.shown);
    QCOMPARE((QStringList{shown.connection.icon, shown.screen.icon, shown.update.icon}),
             (QStringList{status(icons.at(0)), status(icons.at(1)), status(icons.at(2))}));
    QTEST((QStringList{shown.connection.caption, shown.screen.caption, shown.update.caption}), "captions");

    QVERIFY(!BoxStatus::indicators(QString(), kNow).shown);
}

QTEST_GUILESS_MAIN(BoxStatusTest)
#include "tst_boxstatus.moc"
