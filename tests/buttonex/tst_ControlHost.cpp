#include "TestEnvironment.h"

#include "platform/ControlHost.h"
#include "platform/HostSite.h"

#include <Button/ClassFactory.h>
#include <Button/ControlRegistry.h>
#include <Button/Exports.h>
#include <Button/PropertyBag.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <memory>

using namespace velmora;

namespace {

// The library beside the test, as the program finds it beside itself.
QString libraryBesideUs() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/libButton.so");
}

template <typename Function> Function entryPoint(const char* name) {
    QLibrary library(libraryBesideUs());
    return reinterpret_cast<Function>(library.resolve(name));
}

} // namespace

// A host receives the control's Click through the old-style connection by
// name, as windows wire handlers they look up at run time.
class ClickCounter : public QObject {
    Q_OBJECT
public:
    int clicks = 0;
public slots:
    void onClick() { ++clicks; }
};

class tst_ControlHost : public QObject {
    Q_OBJECT

private slots:
    void init() { test::resetUserConfig(); }
    void createsLoadsAndDrivesByName();
    void canUnloadOnlyWithoutInstances();
    void classObjectOnlyForTheButtonClass();
    void registersAndUnregistersItsPath();
    void exportsOnlyTheEntryPoints();
};

void tst_ControlHost::createsLoadsAndDrivesByName() {
    QWidget window;
    PropertyBag bag;
    bag.set(QStringLiteral("caption"), QStringLiteral("&Videos"));
    bag.set(QStringLiteral("backcolor"), qint64(0x00804020));
    QString error;
    QWidget* button = ControlHost::create(QStringLiteral("Button.ButtonEx"), &window, &bag, &error);
    QVERIFY2(button, qPrintable(error));
    QCOMPARE(button->metaObject()->className(), "velmora::ButtonEx");
    QCOMPARE(button->property("Caption").toString(), QStringLiteral("&Videos"));
    QCOMPARE(button->property("BackColor").toUInt(), 0x00804020u);
    QCOMPARE(button->size(), QSize(80, 24));
    QCOMPARE(ControlHost::siteOf(button)->accessKeys(), QStringLiteral("V"));

    ClickCounter counter;
    QVERIFY(QObject::connect(button, SIGNAL(Click()), &counter, SLOT(onClick())));
    button->setGeometry(10, 10, 86, 30);
    window.resize(200, 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(30, 20));
    QCOMPARE(counter.clicks, 1);

    QVERIFY(button->setProperty("Enabled", false));
    QVERIFY(!button->isEnabled());
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(30, 20));
    QCOMPARE(counter.clicks, 1);
    QVERIFY(ControlHost::siteOf(button)->changedProperties().contains("Enabled"));

    PropertyBag saved;
    ControlHost::save(button, saved);
    QCOMPARE(saved.read(QStringLiteral("_extentx")).toInt(), 2275);
    QCOMPARE(saved.read(QStringLiteral("Enabled")), QVariant(false));
    QCOMPARE(saved.read(QStringLiteral("CAPTION")).toString(), QStringLiteral("&Videos"));
}

void tst_ControlHost::canUnloadOnlyWithoutInstances() {
    // Creating through the host loads the library and keeps it loaded.
    auto window = std::make_unique<QWidget>();
    QVERIFY(ControlHost::create(QStringLiteral("Button.ButtonEx"), window.get(), nullptr));
    const auto canUnloadNow = entryPoint<long (*)()>("DllCanUnloadNow");
    QVERIFY(canUnloadNow);
    QCOMPARE(canUnloadNow(), VELMORA_S_FALSE);
    window.reset();
    QCOMPARE(canUnloadNow(), VELMORA_S_OK);

    // A server lock keeps the library as an instance does.
    const auto getClassObject = entryPoint<long (*)(const char*, void**)>("DllGetClassObject");
    void* raw = nullptr;
    QCOMPARE(getClassObject("Button.ButtonEx", &raw), VELMORA_S_OK);
    auto* factory = static_cast<ClassFactory*>(raw);
    factory->lockServer(true);
    QCOMPARE(canUnloadNow(), VELMORA_S_FALSE);
    factory->lockServer(false);
    factory->lockServer(false);
    QCOMPARE(canUnloadNow(), VELMORA_S_OK);
    factory->lockServer(true);
    QCOMPARE(canUnloadNow(), VELMORA_S_FALSE);
    factory->lockServer(false);
    factory->release();
}

void tst_ControlHost::classObjectOnlyForTheButtonClass() {
    const auto getClassObject = entryPoint<long (*)(const char*, void**)>("DllGetClassObject");
    QVERIFY(getClassObject);
    void* raw = reinterpret_cast<void*>(0x1);
    QVERIFY(getClassObject("Button.Other", &raw) < 0);
    QCOMPARE(raw, nullptr);
    raw = reinterpret_cast<void*>(0x1);
    QVERIFY(getClassObject("button.buttonex", &raw) < 0);
    QCOMPARE(raw, nullptr);
    QVERIFY(getClassObject(nullptr, &raw) < 0);
    QCOMPARE(getClassObject("Button.ButtonEx", nullptr), VELMORA_E_POINTER);

    QString error;
    QVERIFY(!ControlHost::create(QStringLiteral("Button.Other"), nullptr, nullptr, &error));
    QVERIFY(!error.isEmpty());
}

void tst_ControlHost::registersAndUnregistersItsPath() {
    const auto registerServer = entryPoint<long (*)()>("DllRegisterServer");
    const auto unregisterServer = entryPoint<long (*)()>("DllUnregisterServer");
    QVERIFY(registerServer && unregisterServer);
    QVERIFY(!QFileInfo::exists(controlRegistryFile()));

    QCOMPARE(registerServer(), VELMORA_S_OK);
    const QString recorded = QSettings(controlRegistryFile(), QSettings::IniFormat)
                                 .value("Button.ButtonEx/Path")
                                 .toString();
    QVERIFY(QFileInfo(recorded).isAbsolute());
    QCOMPARE(QFileInfo(recorded).canonicalFilePath(),
             QFileInfo(libraryBesideUs()).canonicalFilePath());
    QCOMPARE(ControlHost::libraryFor(QStringLiteral("Button.ButtonEx")), recorded);

    // An entry another copy of the library made is left alone.
    {
        QSettings registry(controlRegistryFile(), QSettings::IniFormat);
        registry.setValue("Button.ButtonEx/Path", "/elsewhere/libButton.so");
    }
    QCOMPARE(unregisterServer(), VELMORA_S_OK);
    QVERIFY(
        QSettings(controlRegistryFile(), QSettings::IniFormat).contains("Button.ButtonEx/Path"));

    QCOMPARE(registerServer(), VELMORA_S_OK);
    QCOMPARE(unregisterServer(), VELMORA_S_OK);
    QVERIFY(
        !QSettings(controlRegistryFile(), QSettings::IniFormat).contains("Button.ButtonEx/Path"));
}

void tst_ControlHost::exportsOnlyTheEntryPoints() {
    VELMORA_REQUIRE(!QStandardPaths::findExecutable(QStringLiteral("nm")).isEmpty(), "nm");
    QProcess nm;
    nm.start(QStringLiteral("nm"),
             {QStringLiteral("-D"), QStringLiteral("--defined-only"), libraryBesideUs()});
    // With the tool there, a failure is the library's: unreadable or missing.
    QVERIFY(nm.waitForFinished());
    QVERIFY2(nm.exitStatus() == QProcess::NormalExit && nm.exitCode() == 0,
             nm.readAllStandardError().constData());
    QStringList functions;
    for (const QByteArray& line : nm.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() == 3 && fields.at(1) == "T")
            functions << QString::fromLatin1(fields.at(2));
    }
    functions.sort();
    QCOMPARE(functions, (QStringList{"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer",
                                     "DllUnregisterServer"}));
}

QTEST_MAIN(tst_ControlHost)
#include "tst_ControlHost.moc"
