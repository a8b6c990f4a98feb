#include "MessageBoxRecorder.h"

#include <QTest>

using namespace velmora;

class tst_MessageBoxService : public QObject {
    Q_OBJECT
private slots:
    void recorderSeesTextTitleIconAndButtons() {
        MessageBoxRecorder recorder;
        showMessage("Body", "Title", QMessageBox::Critical, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(recorder.count(), 1);
        QCOMPARE(recorder.last().text, QString("Body"));
        QCOMPARE(recorder.last().title, QString("Title"));
        QCOMPARE(recorder.last().icon, QMessageBox::Critical);
        QCOMPARE(recorder.last().buttons, QMessageBox::Yes | QMessageBox::No);
    }

    void recorderGivesQueuedAnswersThenOk() {
        MessageBoxRecorder recorder;
        recorder.queueAnswer(QMessageBox::No);
        QCOMPARE(showMessage("a", "b", QMessageBox::Question, QMessageBox::Yes | QMessageBox::No),
                 QMessageBox::No);
        QCOMPARE(showMessage("a", "b", QMessageBox::Information), QMessageBox::Ok);
    }

    void realServiceComesBackWhenRecorderGoes() {
        MessageBoxService* before = &MessageBoxService::instance();
        {
            MessageBoxRecorder recorder;
            QCOMPARE(&MessageBoxService::instance(), static_cast<MessageBoxService*>(&recorder));
        }
        QCOMPARE(&MessageBoxService::instance(), before);
    }
};

QTEST_MAIN(tst_MessageBoxService)
#include "tst_MessageBoxService.moc"
