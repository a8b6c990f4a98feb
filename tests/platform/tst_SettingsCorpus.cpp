#include "MessageBoxRecorder.h"
#include "TestEnvironment.h"
#include "platform/SettingsStore.h"
#include "settings/PackageSettings.h"
#include "settings/frmSettings.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace velmora;

namespace {

constexpr int kCorpusSize = 1000;
// The design values of the dialog, as stored by "&Update".
const QString kDesignStartup = QStringLiteral("Welcome");
const QString kDesignBack = QStringLiteral("12811882");
const QString kDesignFont = QStringLiteral("16777215");

QString storeFolder() {
    return QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).filePath(QStringLiteral("Velmora"));
}

QString storeFile() {
    return QDir(storeFolder()).filePath(QStringLiteral("settings.ini"));
}

QByteArray randomBytes(QRandomGenerator& random, int count) {
    QByteArray bytes(count, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

// A value none of the three keys accepts: numbers past 32 bits, other
// notations, words in another case or with a blank kept by quotes, a
// megabyte of digits or of noise.
QByteArray hugeOrInvalidValue(QRandomGenerator& random) {
    static const QList<QByteArray> fixed{"2147483648", "-2147483649",  "4294967295",
                                         "1e9",        "0x10",         "12 34",
                                         "docs",       "\"Welcome \"", "99999999999999999999999"};
    switch (random.bounded(3)) {
    case 0:
        return fixed.at(random.bounded(int(fixed.size())));
    case 1:
        return QByteArray(random.bounded(1000, 1 << 20), '7');
    default:
        return randomBytes(random, random.bounded(1 << 16)).replace('\n', 'x').replace('\r', 'x');
    }
}

// Values of another type than text, in the store's own notations, or keys
// that are groups instead of values.
QByteArray wrongTypeLine(QRandomGenerator& random, const QByteArray& key) {
    switch (random.bounded(5)) {
    case 0:
        return key + "=@Variant(" + randomBytes(random, random.bounded(1, 64)).toHex() + ")";
    case 1:
        return key + "=@Rect(1 2 3 4)";
    case 2:
        return key + "=@Size(800 600)";
    case 3:
        return key + "=1, 2, 3";
    default:
        return key + "\\inner=Docs";
    }
}

/// Corrupted file number `index`: noise, huge or invalid values, wrong
/// types; every hundredth store is a folder where the file belongs.
/// Returns false for a folder.
bool writeCorrupted(int index) {
    QRandomGenerator random(quint32(index) + 1);
    QDir().mkpath(storeFolder());
    if (index % 100 == 99) {
        QDir().mkpath(QDir(storeFile()).filePath(QStringLiteral("inner")));
        return false;
    }
    QByteArray content;
    const QList<QByteArray> keys{"Startup", "ColorWelcome", "FontWelcome"};
    switch (index % 3) {
    case 0:
        // Noise, sometimes after a valid section header.
        content =
            (random.bounded(2) ? "[Package]\n" : "") + randomBytes(random, random.bounded(1 << 16));
        break;
    case 1:
        content = "[Package]\n";
        for (const QByteArray& key : keys)
            content += key + "=" + hugeOrInvalidValue(random) + "\n";
        break;
    default:
        content = "[Package]\n";
        for (const QByteArray& key : keys)
            content += wrongTypeLine(random, key) + "\n";
        break;
    }
    QFile file(storeFile());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(content);
    return true;
}

bool optionChecked(const frmSettings& dialog, const char* name) {
    const auto* option = dialog.form().control<QRadioButton>(QLatin1String(name));
    return option && option->isChecked();
}

} // namespace

class tst_SettingsCorpus : public QObject {
    Q_OBJECT
private slots:
    void init() { test::resetUserConfig(); }

    void corruptedStoresLoadTheDesignAndAreSavedOver() {
        MessageBoxRecorder boxes;
        for (int index = 0; index < kCorpusSize; ++index) {
            test::resetUserConfig();
            const bool isFile = writeCorrupted(index);
            const QByteArray where = "store " + QByteArray::number(index);
            QVERIFY2(!PackageSettings::startup(), where);
            QVERIFY2(!PackageSettings::welcomeBackColor(), where);
            QVERIFY2(!PackageSettings::welcomeFontColor(), where);

            frmSettings dialog;
            dialog.show();
            QVERIFY2(optionChecked(dialog, "optWelcome"), where);
            QCOMPARE(dialog.backColor(), 0x00C37E6Au);
            QCOMPARE(dialog.fontColor(), 0x00FFFFFFu);
            dialog.Command1_Click();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));

            // A folder in the file's place is not the store's to remove.
            const auto expected = [&](const QString& value) { return isFile ? value : QString(); };
            const auto stored = [](const char* key) {
                return SettingsStore::read(QStringLiteral("Velmora"), QStringLiteral("Package"),
                                           QLatin1String(key));
            };
            QVERIFY2(stored("Startup") == expected(kDesignStartup), where);
            QVERIFY2(stored("ColorWelcome") == expected(kDesignBack), where);
            QVERIFY2(stored("FontWelcome") == expected(kDesignFont), where);
            QVERIFY2(PackageSettings::saveStartup(StartupSection::Welcome) == isFile, where);
            // On disk, not only in this process's view of the store.
            QFile saved(storeFile());
            const QByteArray onDisk = saved.open(QIODevice::ReadOnly) ? saved.readAll() : "";
            for (const char* line :
                 {"Startup=Welcome", "ColorWelcome=12811882", "FontWelcome=16777215"})
                QVERIFY2(onDisk.contains(line) == isFile, where + ": " + line);
        }
        QCOMPARE(boxes.count(), 0);
    }

    // Root writes anywhere, so the folder refuses only another user: as
    // root, this test runs itself again as "nobody" on a folder of root's.
    void unwritableFolderLoadsTheDesignAndSavesNothing() {
        if (::geteuid() == 0) {
            runAsNobody(QTest::currentTestFunction());
            return;
        }
        const QString home = qEnvironmentVariable("XDG_CONFIG_HOME");
        // Our own folder (a run as a plain user) is made read-only; root's
        // is so already.
        QFile::setPermissions(home, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                        QFile::ExeOther);
        const auto restore = qScopeGuard([&] {
            QFile::setPermissions(home, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        QVERIFY(!QFileInfo(home).isWritable());

        MessageBoxRecorder boxes;
        frmSettings dialog;
        dialog.show();
        QVERIFY(optionChecked(dialog, "optWelcome"));
        QCOMPARE(dialog.backColor(), 0x00C37E6Au);
        dialog.Command1_Click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(boxes.count(), 0);
        QVERIFY(!PackageSettings::saveStartup(StartupSection::Docs));
        QVERIFY(!PackageSettings::startup());
        QVERIFY(!QFileInfo::exists(storeFolder()));
    }

private:
    void runAsNobody(const char* function) {
        QTemporaryDir top;
        QVERIFY(top.isValid());
        const QString home = top.filePath(QStringLiteral("home"));
        QVERIFY(QDir().mkpath(home));
        const auto readable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                              QFile::ReadOther | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(top.path(), readable));
        QVERIFY(QFile::setPermissions(home, readable));

        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home);
        env.insert(QStringLiteral("HOME"), home);
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QStringLiteral("setpriv"),
                    {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                     QStringLiteral("--clear-groups"), QCoreApplication::applicationFilePath(),
                     QLatin1String(function)});
        VELMORA_REQUIRE(child.waitForStarted(), "setpriv");
        QVERIFY(child.waitForFinished(120000));
        const QByteArray output = child.readAll();
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
                 output.constData());
        // It ran the test, not a skip or nothing.
        QVERIFY2(output.contains(QByteArray("PASS   : tst_SettingsCorpus::") + function),
                 output.constData());
    }
};

QTEST_MAIN(tst_SettingsCorpus)
#include "tst_SettingsCorpus.moc"
