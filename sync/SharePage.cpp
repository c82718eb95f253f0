#include "SharePage.h"

#include <QSaveFile>
#include <QStringList>

const char *const SharePage::AppId = "1843026379152846";
const char *const SharePage::SdkHost = "connect.facebook.net";

QString SharePage::stamp(const QDateTime &now)
{
    return now.toString(QStringLiteral("ddhhmmss"));
}

QString SharePage::folderUrl(const QString &base, const QString &accountFolder, const QString &linkFolder)
{
    return base + QLatin1String("zobox/") + accountFolder + QLatin1String("/LINKS/") + linkFolder;
}

QString SharePage::linkFolderOf(const QString &linkSite)
{
    return linkSite.split(QLatin1Char('/')).value(6);
}

QByteArray SharePage::page(const QString &folderUrl, const QString &stamp)
{
    // Attribute values: quotes and angle brackets may come from the link.
    const QString u = folderUrl.toHtmlEscaped();
    const QString s = QString(stamp).toHtmlEscaped();
    const QStringList lines{
        QStringLiteral("<!doctype html>"),
        QStringLiteral("<html lang=\"fr\">"),
        QStringLiteral("<head>"),
        QStringLiteral("<meta charset=\"utf-8\">"),
        QStringLiteral("<link rel=\"shortcut icon\" href=\"Logo-orvex-2.png\" type=\"image/png\" />"),
        QStringLiteral("<title>Menu</title>"),
        QStringLiteral("<meta property=\"og:url\"           content=\"") + u + QStringLiteral("/index") + s
            + QStringLiteral(".html\" />"),
        QStringLiteral("<meta property=\"og:type\"          content=\"Orvex\" />"),
        QStringLiteral("<meta property=\"og:title\"         content=\"Orvex\" />"),
        QStringLiteral("<meta property=\"og:description\"   content=\"Retrouvez tous les jours le menu du jour\" />"),
        QStringLiteral("<meta property=\"og:image\"         content=\"") + u + QStringLiteral("/Picture") + s
            + QStringLiteral(".png\"  />"),
        QStringLiteral("<!-- <script src=\"script.js\"></script> -->"),
        QStringLiteral("</head>"),
        QStringLiteral("<body>"),
        QStringLiteral("<script>"),
        QStringLiteral("window.fbAsyncInit = function() {"),
        QStringLiteral("FB.init({"),
        QStringLiteral("appId            : '") + QLatin1String(AppId) + QStringLiteral("',"),
        QStringLiteral("autoLogAppEvents : true,"),
        QStringLiteral("xfbml            : true,"),
        QStringLiteral("version          : 'v2.12'"),
        QStringLiteral(" });"),
        QStringLiteral("};"),
        QStringLiteral("(function(d, s, id){"),
        QStringLiteral("var js, fjs = d.getElementsByTagName(s)[0];"),
        QStringLiteral("if (d.getElementById(id)) {return;}"),
        QStringLiteral("js = d.createElement(s); js.id = id;"),
        QStringLiteral("js.src = \"https://") + QLatin1String(SdkHost) + QStringLiteral("/en_US/sdk.js\";"),
        QStringLiteral("fjs.parentNode.insertBefore(js, fjs);"),
        QStringLiteral(" }(document, 'script', 'facebook-jssdk'));"),
        QStringLiteral("</script>"),
        QStringLiteral("<div"),
        QStringLiteral("class=\"fb-like\""),
        QStringLiteral("data-href=\"") + u + QStringLiteral("/index") + s + QStringLiteral(".html\""),
        QStringLiteral("data-share=\"true\""),
        QStringLiteral("data-layout=\"standard\""),
        QStringLiteral("data-action=\"like\""),
        QStringLiteral("data-size=\"large\""),
        QStringLiteral("data-width=\"450\""),
        QStringLiteral("data-show-faces=\"true\">"),
        QStringLiteral("</div>"),
        QStringLiteral("<style type=\"text/css\">"),
        QStringLiteral("p"),
        QStringLiteral("{"),
        QStringLiteral("font-family: Arial;"),
        QStringLiteral("font-size: 34px;"),
        QStringLiteral("font-weight: bold;"),
        QStringLiteral("text-align: center;"),
        QStringLiteral("color: red;"),
        QStringLiteral("border: 1px solid black;"),
        QStringLiteral("border-radius: 30px;"),
        QStringLiteral("margin: 50px;"),
        QStringLiteral("padding: 60px;"),
        QStringLiteral("}"),
        QStringLiteral("html                       {height: 100%; margin: 0; padding: 0; width: 100%;}"),
        QStringLiteral("body                       {height: 100%; margin: 500; padding: 500; width: 100%;"
                       "COLOR:#636363; background: url(Picture")
            + s + QStringLiteral(".png) no-repeat center fixed;"),
        QStringLiteral("-webkit-background-size: contain;"),
        QStringLiteral("background-size: contain;"),
        QStringLiteral("h1,h2,ul,ol,li,div,td,th,address,blockquote,nobr,b,i {font-family:Arial,Verdana,Helvetica; "
                       "font-size: 35px; COLOR:#636363; }"),
        QStringLiteral("</style>"),
        QStringLiteral("</body>"),
        QStringLiteral("</html>"),
    };
    QByteArray text;
    for (const QString &line : lines)
        text += line.toUtf8() + "\r\n";
    return text;
}

QString SharePage::generateIndex(const QString &work, const QString &base, const QString &accountFolder,
                                 const QString &linkFolder, const QDateTime &now)
{
    const QString s = stamp(now);
    QSaveFile file(work + QLatin1String("LINKS/index.html"));
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("0");
    file.write(page(folderUrl(base, accountFolder, linkFolder), s));
    return file.commit() ? s : QStringLiteral("0");
}
