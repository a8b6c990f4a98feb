#pragma once

#include <QString>

namespace velmora {

/// Where the program finds its servers.  Read from the configuration file
/// `velmora.conf` (INI, group [Servers], keys ContentServer and WebSite, each
/// "host[:port]"): the system's (/etc/velmora/velmora.conf when installed
/// under /usr), the one beside the executable (a build tree's), then the
/// user's own $XDG_CONFIG_HOME/Velmora/velmora.conf; a later file wins.  The
/// environment variables VELMORA_CONTENT_SERVER and VELMORA_WEB_SITE override
/// them all.
/// Group [Limits], key PageBudgetMiB, bounds the guide pages held at once.
struct Configuration {
    /// "host[:port]" of the content server (guides, video lists, players).
    QString contentServer = QStringLiteral("127.0.0.1:8741");
    /// "host[:port]" of the product web site (contact page).
    QString webSite = QStringLiteral("127.0.0.1:8741");
    /// Most mebibytes of page files (as received) the program holds in a run.
    qint64 pageBudgetMiB = 1024;

    /// The configuration in force for this process (read once).
    static const Configuration& current();
    /// Reads the files and the environment now.
    static Configuration load();
    /// Applies one "host[:port]" value: a value that is empty, whose port
    /// is not a number from 1 to 65535, or whose host holds a colon or a
    /// bracket (an IPv6 address: the port is what follows the first colon)
    /// is rejected and `target` kept.  Reading the files and the
    /// environment tells each rejected value on the terminal.
    static bool applyHostPort(QString& target, const QString& value);
    /// Applies one size in mebibytes: anything but a whole number from 1 to
    /// 1048576 is rejected and `target` kept.
    static bool applyMiB(qint64& target, const QString& value);
};

} // namespace velmora
