// The real program on the test X server, ended every way a user's session
// may end it: the display guard must give the server's size back.

#include "GuardProcesses.h"
#include "ProgramStart.h"
#include "WindowManagerKeys.h"
#include "XvncScreen.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include <csignal>
#include <sys/types.h>

using namespace velmora;

namespace {

using test::guards;

} // namespace

class tst_DisplayGuard : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY2(test::WindowManagerKeys::ready(), "the window manager takes no Alt+F4");
    }
    void init() {
        QVERIFY2(m_screen.usable(), "no RandR output on the test X server");
        QVERIFY(m_screen.reset());
        QCOMPARE(guards(), QList<qint64>());
    }
    void cleanup() {
        test::endProgram(m_program);
        for (qint64 pid : guards())
            ::kill(pid_t(pid), SIGKILL);
        m_screen.reset();
    }

    void endedProgramGivesTheDisplayBack_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("wholeGroup");
        // Ctrl+C and a closed terminal reach the whole process group.
        QTest::newRow("SIGINT-to-group") << SIGINT << true;
        QTest::newRow("SIGHUP-to-group") << SIGHUP << true;
        QTest::newRow("SIGTERM") << SIGTERM << false;
        QTest::newRow("SIGSEGV") << SIGSEGV << false;
        QTest::newRow("SIGABRT") << SIGABRT << false;
        QTest::newRow("SIGKILL") << SIGKILL << false;
    }
    void endedProgramGivesTheDisplayBack() {
        QFETCH(int, signal);
        QFETCH(bool, wholeGroup);
        startProgram();
        QCOMPARE(guards().size(), 1);
        const pid_t pid = pid_t(m_program.processId());
        QCOMPARE(::kill(wholeGroup ? -pid : pid, signal), 0);
        QVERIFY(m_program.waitForFinished(10000));
        QCOMPARE(m_program.exitStatus(), QProcess::CrashExit);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(m_screen.waitFor(test::XvncScreen::kStartSize, 2000));
        QVERIFY(QTest::qWaitFor([] { return guards().isEmpty(); }, 2000 - int(clock.elapsed())));
    }

    // The exit operation restores the display itself; the guard stands
    // down and ends too.
    void orderlyExitStandsTheGuardDown() {
        startProgram();
        QVERIFY(test::WindowManagerKeys::pressOn(QStringLiteral("Velmora package"),
                                                 {QStringLiteral("alt+F4")}));
        QVERIFY(m_program.waitForFinished(30000));
        QCOMPARE(m_program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_program.exitCode(), 0);
        QCOMPARE(m_screen.size(), test::XvncScreen::kStartSize);
        QVERIFY(QTest::qWaitFor([] { return guards().isEmpty(); }, 2000));
    }

private:
    // The program in a process group of its own, as a shell starts it, at
    // 1024 x 768 with its main window in front.
    void startProgram() {
        // A sanitizer build would catch the signals the test sends and exit
        // normally; the program must end as any build ends on them.
        QProcessEnvironment env = test::programEnvironment(qEnvironmentVariable("DISPLAY"));
        const QString sanitizer = env.value("ASAN_OPTIONS");
        env.insert("ASAN_OPTIONS",
                   sanitizer + (sanitizer.isEmpty() ? "" : ":") + "handle_segv=0:handle_abort=0");
        QVERIFY(test::startProgram(m_program, env, test::builtProgram(),
                                   QProcess::ForwardedErrorChannel, QStringLiteral("setsid")));
        QVERIFY2(m_screen.waitFor({1024, 768}, 20000), "the program never switched the display");
    }

    test::XvncScreen m_screen;
    QProcess m_program;
};

QTEST_GUILESS_MAIN(tst_DisplayGuard)
#include "tst_DisplayGuard.moc"
