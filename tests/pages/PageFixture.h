#pragma once

#include "../sync/ParamFixture.h"

#include "AppGlobals.h"
#include "ClassParam.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

using ParamTable = QMap<QString, QString>;

// A work folder whose DATA/PLAYER.orvex the settings pages read and write;
// ApplicationPath points at it while the fixture lives, so build the pages
// after it.
class PageFixture
{
public:
    PageFixture()
    {
        m_saved = ApplicationPath;
        ApplicationPath = m_dir.path() + QLatin1Char('/');
        QDir(m_dir.path()).mkpath(QStringLiteral("DATA"));
    }
    ~PageFixture()
    {
        setReadOnly(false);
        ApplicationPath = m_saved;
    }

    QString player() const { return m_dir.path() + QStringLiteral("/DATA/PLAYER.orvex"); }
    bool write(const ParamList &values) const { return writeParams(player(), values); }

    QByteArray bytes() const
    {
        QFile file(player());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Every key of the file, decrypted; empty when the fingerprint is wrong.
    ParamTable table() const
    {
        ClassParam param;
        ParamTable out;
        if (!param.getParamCrypt(player(), QStringList{QStringLiteral("ALL")}, 1) || param.BALISE.size() < 2)
            return out;
        for (int i = 0; i < param.BALISE.at(0).size(); ++i)
            out.insert(param.BALISE.at(0).at(i), param.BALISE.at(1).value(i));
        out.remove(QStringLiteral("EMPREINTE"));
        return out;
    }

    // The file and its folder read-only (0444 and 0555).
    void setReadOnly(bool readOnly) const
    {
        const QFileDevice::Permissions read = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
        const QFileDevice::Permissions exec = QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
        QFile::setPermissions(player(), readOnly ? read : read | QFileDevice::WriteOwner);
        QFile::setPermissions(m_dir.path() + QStringLiteral("/DATA"),
                              readOnly ? read | exec : read | exec | QFileDevice::WriteOwner);
    }

private:
    QTemporaryDir m_dir;
    QString m_saved;
};

// Root passes every permission check; this drops that power from the
// effective set for its lifetime, so read-only files refuse writes in tests
// run as root too.
class WithoutFileOverride
{
public:
    WithoutFileOverride()
    {
        m_header.version = _LINUX_CAPABILITY_VERSION_3;
        m_header.pid = 0;
        if (syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
        m_active = syscall(SYS_capset, &m_header, reduced) == 0;
    }
    ~WithoutFileOverride()
    {
        if (m_active)
            syscall(SYS_capset, &m_header, m_saved);
    }

private:
    __user_cap_header_struct m_header;
    __user_cap_data_struct m_saved[2] = {};
    bool m_active = false;
};
