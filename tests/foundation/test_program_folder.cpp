#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "foundation/program_folder.h"
#include "support/folder_rights.h"

namespace {

void Put(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray Get(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// An installation in a temporary folder: bin/ for the program, share/debaclock/ for the
// defaults, home/ for the user.
struct Installation {
    QTemporaryDir root;
    ProgramFolderPlaces places{root.filePath("bin"), root.filePath("share/debaclock"),
                               root.filePath("home/.local/share/debaclock")};
    Installation() {
        QDir().mkpath(places.programDir);
        Put(places.installedDefaults + "/config/main.ini", "shipped main");
        Put(places.installedDefaults + "/sound/Begin.wav", "shipped sound");
        Put(places.installedDefaults + "/help.html", "shipped help");
    }
    QString user(const QString& relative) const { return places.userFolder + '/' + relative; }
};

}  // namespace

class TestProgramFolder : public QObject {
    Q_OBJECT
  private slots:
    void writableFolderBesideTheProgramIsUsedAsItIs() {
        Installation install;
        Put(install.places.programDir + "/config/main.ini", "portable main");

        const ProgramFolderChoice choice = ChooseProgramFolder(install.places);
        QCOMPARE(choice.folder, install.places.programDir);
        QVERIFY(!QFileInfo::exists(install.places.userFolder));
        QCOMPARE(QDir(install.places.programDir).entryList(QDir::Files | QDir::Hidden).size(), 0);
    }

    void firstStartFillsTheUsersFolder() {
        Installation install;

        const ProgramFolderChoice choice = ChooseProgramFolder(install.places);
        QCOMPARE(choice.folder, install.places.userFolder);
        QCOMPARE(Get(install.user("config/main.ini")), QByteArray("shipped main"));
        QCOMPARE(Get(install.user("sound/Begin.wav")), QByteArray("shipped sound"));
        QCOMPARE(Get(install.user("help.html")), QByteArray("shipped help"));
    }

    // A later start, and one after a first start that was cut short, are the same thing: what
    // the user has stays, what the user lacks is added.
    void laterStartKeepsTheUsersFilesAndAddsWhatIsNew() {
        Installation install;
        QVERIFY(!ChooseProgramFolder(install.places).folder.isEmpty());
        Put(install.user("config/main.ini"), "the operator's main");
        QVERIFY(QFile::remove(install.user("help.html")));  // never copied: the start was cut
        Put(install.places.installedDefaults + "/config/display.ini", "new in this version");
        Put(install.places.installedDefaults + "/config/main.ini", "shipped main, version 2");

        QCOMPARE(ChooseProgramFolder(install.places).folder, install.places.userFolder);
        QCOMPARE(Get(install.user("config/main.ini")), QByteArray("the operator's main"));
        QCOMPARE(Get(install.user("config/display.ini")), QByteArray("new in this version"));
        QCOMPARE(Get(install.user("help.html")), QByteArray("shipped help"));
        const QStringList leftovers =
            QDir(install.user("config")).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(leftovers, (QStringList{"display.ini", "main.ini"}));
    }

    void readOnlyPortableCopyFillsTheUsersFolderFromItself() {
        if (const char* why = WhyFolderRightsDoNotBind()) {
            QSKIP(why);
        }
        Installation install;
        Put(install.places.programDir + "/config/main.ini", "portable main");
        QFile::setPermissions(install.places.programDir,
                              QFileDevice::ReadOwner | QFileDevice::ExeOwner);

        const ProgramFolderChoice choice = ChooseProgramFolder(install.places);
        QFile::setPermissions(install.places.programDir, QFileDevice::ReadOwner |
                                                             QFileDevice::WriteOwner |
                                                             QFileDevice::ExeOwner);
        QCOMPARE(choice.folder, install.places.userFolder);
        QCOMPARE(Get(install.user("config/main.ini")), QByteArray("portable main"));
    }

    void noWritablePlaceIsSaidAndNothingIsChosen() {
        Installation install;
        // A file where the user's data folder should be: no one, not even the administrator,
        // can make a folder below it.
        Put(install.root.filePath("home/.local/share"), "not a folder");

        const ProgramFolderChoice choice = ChooseProgramFolder(install.places);
        QVERIFY(choice.folder.isEmpty());
        QVERIFY2(choice.problem.contains(install.places.userFolder), qPrintable(choice.problem));
        QVERIFY2(choice.problem.contains(QStringLiteral("无法保存设置")),
                 qPrintable(choice.problem));
    }

    // The user's folder is where each system keeps a user's settings: the roaming one on
    // Windows (not Qt's local data folder there), the XDG data home elsewhere.
    void usersFolderIsWhereTheSystemKeepsSettings() {
#ifdef Q_OS_WIN
        const QString expected = QDir::fromNativeSeparators(qEnvironmentVariable("APPDATA"));
        QCOMPARE(ThisProgramsPlaces().installedDefaults,
                 QCoreApplication::applicationDirPath() + "/defaults");
#else
        QTemporaryDir home;
        const QString expected = home.path();
        qputenv("XDG_DATA_HOME", QFile::encodeName(expected));
#endif
        QVERIFY(!expected.isEmpty());
        QCOMPARE(ThisProgramsPlaces().userFolder, expected + "/debaclock");
    }
};

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "test_program_folder.moc"
