#include "PlayerSceneView.h"

#include "ConsoleLogRecord.h"
#include "LC_QMLLogger.h"

#include <QDebug>
#include <QGridLayout>
#include <QLabel>
#include <QQmlContext>
#include <QQmlError>
#include <QQuickItem>
#include <QQuickWidget>

PlayerSceneView::PlayerSceneView(QWidget *parent)
    : QWidget(parent)
    , m_view(new QQuickWidget(this))
    , m_message(new QLabel(this))
{
    m_view->setObjectName(QStringLiteral("playerScene"));
    m_view->setResizeMode(QQuickWidget::SizeRootObjectToView);
    m_view->setClearColor(Qt::black);
    m_view->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // The scenes log through "logger" from their first function call on,
    // some twenty lines per poster: written per turn, not line by line.
    LC_QMLLogger::registerObject(m_view->rootContext());
    LC_QMLLogger::setLinesPerTurn(true);

    m_message->setObjectName(QStringLiteral("playerSceneMessage"));
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setWordWrap(true);
    m_message->setStyleSheet(QStringLiteral("color:white;background-color:rgba(0,0,0,60%);padding:10px;"));
    m_message->hide();

    auto *grid = new QGridLayout(this);
    grid->setSpacing(0);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(m_view, 0, 0);
    grid->addWidget(m_message, 0, 0);
}

bool PlayerSceneView::load(const QUrl &source)
{
    m_view->setSource(source);
    m_root = m_view->rootObject();
    if (m_view->status() == QQuickWidget::Ready && m_root) {
        m_message->hide();
        m_view->show();
        m_errorText.clear();
        return true;
    }
    QStringList errors;
    for (const QQmlError &error : m_view->errors())
        errors.append(error.toString());
    m_errorText = errors.join(QLatin1Char('\n'));
    qWarning().noquote() << "Preview scene not loaded:" << m_errorText;
    m_root = nullptr;
    m_view->hide();
    m_message->setText(tr("L'aperçu de l'écran n'est pas disponible : la scène n'a pas pu être chargée."));
    m_message->show();
    return false;
}

bool PlayerSceneView::call(const SceneCall &call)
{
    if (!m_root)
        return false;
    const QVariantList &a = call.args;
    QGenericArgument g[10];
    for (int i = 0; i < a.size() && i < 10; ++i)
        g[i] = Q_ARG(QVariant, a.at(i));
    const QByteArray name = call.function.toLatin1();
    // The call's lines go out in one write when it returns.
    const ConsoleLogHold hold;
    return QMetaObject::invokeMethod(m_root, name.constData(), Qt::AutoConnection, g[0], g[1], g[2], g[3], g[4],
                                     g[5], g[6], g[7], g[8], g[9]);
}

void PlayerSceneView::call(const SceneCalls &calls)
{
    for (const SceneCall &c : calls)
        call(c);
}

bool PlayerSceneView::setRootSize(int width, int height)
{
    if (!m_root)
        return false;
    m_root->setProperty("width", width);
    m_root->setProperty("height", height);
    return true;
}
