// Where the program finds its resource file and user guide: beside it in the build tree, in the
// data folder when installed, laid out exactly as an install lays it out.
#include "ProgramFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class ProgramFilesTest : public QObject {
    Q_OBJECT

private:
    static void Touch(const QString& path) {
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

private slots:
    void findsTheFilesWhereAnInstallPutsThem() {
        QTemporaryDir prefix;
        QVERIFY(prefix.isValid());
        const QString programDir = prefix.filePath(QStringLiteral(Z9RT_PRIVATE_DIR));
        const QString dataDir = prefix.filePath(QStringLiteral(Z9RT_DATA_DIR));
        const QString guide = QStringLiteral("Z9RT(PRSM)Ble.html");
        QVERIFY(QDir().mkpath(programDir));

        // Nowhere: the place beside the program, for the message that names it.
        QCOMPARE(ProgramFileIn(programDir, guide), programDir + QLatin1Char('/') + guide);
        // Installed: the data folder.
        Touch(dataDir + QLatin1Char('/') + guide);
        QCOMPARE(QFileInfo(ProgramFileIn(programDir, guide)).canonicalFilePath(),
                 QFileInfo(dataDir + QLatin1Char('/') + guide).canonicalFilePath());
        // The build tree: beside the program, which wins.
        Touch(programDir + QLatin1Char('/') + guide);
        QCOMPARE(ProgramFileIn(programDir, guide), programDir + QLatin1Char('/') + guide);
    }
};

QTEST_GUILESS_MAIN(ProgramFilesTest)
#include "ProgramFilesTest.moc"
