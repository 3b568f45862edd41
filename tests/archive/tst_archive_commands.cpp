#include "archive/archive_driver.h"
#include "archive/archiver.h"
#include "jobdata/job_file.h"
#include "sample_job.h"
#include "temp_tree.h"
#include "ui/archive/ArchiveFileDialogs.h"
#include "ui/shell/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QListView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace k5;
using k5test::readBytes;
using k5test::writeBytes;

// The main window's "データを開く..." and "名前を付けてデータを保存...": the
// file dialogs are replaced by answers; the archiver is the one built here.
class ArchiveCommandsTest : public QObject {
    Q_OBJECT

    struct Fixture {
        k5test::TempTree tree;
        AppContext& ctx = tree.ctx;
        std::unique_ptr<MainWindow> window;
        QStringList answers;
        QStringList offered;
        QList<bool> enabledWhileChoosing;

        Fixture() {
            const QString built =
                QDir(QCoreApplication::applicationDirPath() + "/..").absoluteFilePath("lha32");
            QFile::copy(built, archiverPath(ctx.folders));
        }
        void open() {
            window = std::make_unique<MainWindow>(ctx);
            auto choose = [this](QWidget*, const QString& folder, const QString& name) {
                offered << folder + u'|' + name;
                enabledWhileChoosing << window->isEnabled();
                return answers.isEmpty() ? QString() : answers.takeFirst();
            };
            window->children().chooseArchiveToOpen = choose;
            window->children().chooseArchiveToSave = choose;
            window->show();
        }
        QString cell(int row, int col) const {
            const QTableWidgetItem* item =
                window->findChild<QTableWidget*>("MSFlexGrid1")->item(row - 1, col);
            return item ? item->text() : QString();
        }
        QString label(const char* name) const { return window->findChild<QLabel*>(name)->text(); }
        void trigger(const char* action) { window->findChild<QAction*>(action)->trigger(); }
    };

  private slots:
    void saveThenOpenFromTheMenu() {
        Fixture f;
        k5test::writeSampleJob(f.ctx, 3);
        f.open();
        QVERIFY(f.window->findChild<QAction*>("menuデータを開く")->isEnabled());
        QVERIFY(f.window->findChild<QAction*>("menu名前を付けて保存")->isEnabled());
        const QByteArray saved = readBytes(f.ctx.folders.jobFile());

        f.answers << f.ctx.folders.saveFolder + "/v02_現場";
        f.trigger("menu名前を付けて保存");
        QCOMPARE(f.offered, QStringList{f.ctx.folders.saveFolder + "|v02_試験"});
        QCOMPARE(f.tree.prompt.texts(), QStringList{"データを保存しました。　　　"});
        QVERIFY(QFileInfo::exists(f.ctx.folders.saveFolder + "/v02_現場.lzh"));
        QVERIFY(f.window->isVisible());
        QVERIFY(f.window->isEnabled());

        // Another job is opened over by the saved one: the list is rebuilt
        // and no record is opened.
        k5test::writeSampleJob(f.ctx, 5);
        f.ctx.job.currentRecord = 2;
        f.tree.prompt.clear();
        f.offered.clear();
        f.answers << f.ctx.folders.saveFolder + "/v02_現場.lzh";
        f.trigger("menuデータを開く");
        QCOMPARE(f.offered, QStringList{f.ctx.folders.saveFolder + "|"});
        QCOMPARE(f.tree.prompt.texts().size(), 1); // the question only
        QCOMPARE(readBytes(f.ctx.folders.jobFile()), saved);
        QCOMPARE(f.ctx.job.currentRecord, 0);
        QCOMPARE(f.label("Labelデータ数"), QStringLiteral("入力済み基礎データリスト（データ数： 3 ）"));
        QCOMPARE(f.cell(3, 1), QStringLiteral("F3"));
        QCOMPARE(f.cell(4, 1), QString());
        QVERIFY(f.window->isEnabled());
        QVERIFY(!f.enabledWhileChoosing.contains(false));
    }

    // "新規作成..." answered with はい saves the job in hand through the save
    // command first; the new job is started only once the save succeeded.
    void newJobSavesTheJobInHandFirstWhenAsked() {
        Fixture f;
        k5test::writeSampleJob(f.ctx, 3);
        const QString jobFile = f.ctx.folders.jobFile();
        const QByteArray job = readBytes(jobFile);
        const QString archive = f.ctx.folders.saveFolder + "/v02_前の工事.lzh";
        f.open();
        QStringList steps;
        f.window->children().editJob = [&](AppContext& c, QWidget*, bool newJob) {
            steps << QStringLiteral("job window newJob=%1 saved=%2")
                         .arg(newJob)
                         .arg(QFileInfo::exists(archive));
            c.job.currentJobName = c.job.currentFileName = QStringLiteral("次の工事");
            c.job.unitSystem = 2;
            return true;
        };

        // The save dialog cancelled: no job window, the job as it was.
        f.tree.prompt.script({Answer::Yes});
        f.trigger("menu新規作成");
        QCOMPARE(f.offered, QStringList{f.ctx.folders.saveFolder + "|v02_試験"});
        QCOMPARE(f.tree.prompt.texts().last(), QStringLiteral("データ保存を中止しました｡ "));
        QCOMPARE(steps, QStringList{});
        QCOMPARE(readBytes(jobFile), job);

        f.tree.prompt.clear();
        f.answers << archive;
        f.tree.prompt.script({Answer::Yes});
        f.trigger("menu新規作成");
        QCOMPARE(f.tree.prompt.texts().size(), 2);
        QCOMPARE(f.tree.prompt.texts().last(), QStringLiteral("データを保存しました。　　　"));
        QCOMPARE(steps, QStringList{"job window newJob=1 saved=1"});
        QCOMPARE(k5test::fileSize(jobFile), 0);
        QCOMPARE(f.label("Label工事名"), QStringLiteral("工事名：次の工事"));
        QCOMPARE(f.label("Label単位"), QStringLiteral("CGS"));

        // The saved job comes back whole.
        f.answers << archive;
        f.trigger("menuデータを開く");
        QCOMPARE(readBytes(jobFile), job);
        QCOMPARE(f.label("Label工事名"), QStringLiteral("工事名：試験工事"));
        QCOMPARE(f.label("Label単位"), QStringLiteral("SI"));
    }

    void cancelledOpenKeepsTheJobAndThePrgFolder() {
        Fixture f;
        k5test::writeSampleJob(f.ctx, 2);
        const QByteArray job = readBytes(f.ctx.folders.jobFile());
        f.open();
        QDir::setCurrent(f.ctx.folders.saveFolder);
        f.trigger("menuデータを開く");
        QCOMPARE(f.tree.prompt.texts(), QStringList{"データ読込を中止しました｡ 　　　"});
        QCOMPARE(readBytes(f.ctx.folders.jobFile()), job);
        QCOMPARE(QDir::currentPath(), QDir(f.ctx.folders.prgFolder).canonicalPath());
        f.tree.prompt.clear();
        f.trigger("menu名前を付けて保存");
        QCOMPARE(f.tree.prompt.texts(), QStringList{"データ保存を中止しました｡ "});
        QVERIFY(f.window->isEnabled());
    }

    // An archive handed over at start (a file manager's "open with"): no
    // dialog, the open command's question; Cancel keeps the job, OK opens it.
    void givenArchiveOpensThroughTheOpenCommand() {
        Fixture f;
        k5test::writeSampleJob(f.ctx, 3);
        f.open();
        f.answers << f.ctx.folders.saveFolder + "/v02_現場";
        f.trigger("menu名前を付けて保存");
        const QByteArray saved = readBytes(f.ctx.folders.jobFile());
        k5test::writeSampleJob(f.ctx, 5);
        const QByteArray current = readBytes(f.ctx.folders.jobFile());
        f.offered.clear();
        const QString archive = f.ctx.folders.saveFolder + "/v02_現場.lzh";

        f.tree.prompt.clear();
        f.tree.prompt.script({Answer::Cancel});
        f.window->openGivenArchive(archive);
        QCOMPARE(f.tree.prompt.texts().size(), 1); // the question only
        QCOMPARE(readBytes(f.ctx.folders.jobFile()), current);

        f.tree.prompt.clear();
        f.window->openGivenArchive(archive);
        QCOMPARE(f.tree.prompt.texts().size(), 1);
        QCOMPARE(readBytes(f.ctx.folders.jobFile()), saved);
        QCOMPARE(f.label("Labelデータ数"), QStringLiteral("入力済み基礎データリスト（データ数： 3 ）"));

        // A file that is no archive is refused as the dialog's choice would be.
        f.tree.prompt.clear();
        f.window->openGivenArchive(f.ctx.folders.saveFolder + "/notes.txt");
        QCOMPARE(f.tree.prompt.texts(), QStringList{"データ読込を中止しました｡ 　　　"});
        QCOMPARE(readBytes(f.ctx.folders.jobFile()), saved);
        QVERIFY(f.offered.isEmpty());
        QVERIFY(f.window->isEnabled());
    }

    // The real dialogs: titles, the filter that takes ".LZH" too, and no
    // overwrite question of their own.
    void fileDialogs() {
        k5test::TempTree tree;
        const QString folder = tree.ctx.folders.saveFolder;
        for (const char* name : {"v02_a.lzh", "OLD.LZH", "notes.txt"})
            writeBytes(folder + u'/' + QString::fromUtf8(name), "x");
        QString title;
        bool confirmsOverwrite = true;
        int shownFiles = -1;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            title = dialog->windowTitle();
            confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
            dialog->reject();
        });
        QCOMPARE(chooseArchiveToSave(nullptr, folder, "v02_a"), QString());
        QCOMPARE(title, QStringLiteral("［保存］"));
        QVERIFY(!confirmsOverwrite);

        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            title = dialog->windowTitle();
            auto* view = dialog->findChild<QListView*>("listView");
            QTRY_VERIFY(view->model()->rowCount(view->rootIndex()) > 0);
            QTest::qWait(100);
            shownFiles = view->model()->rowCount(view->rootIndex());
            dialog->reject();
        });
        QCOMPARE(chooseArchiveToOpen(nullptr, folder, QString()), QString());
        QCOMPARE(title, QStringLiteral("保存データを読み込む"));
        QCOMPARE(shownFiles, 2);
        QVERIFY(archiveNameFilter().startsWith(QStringLiteral("圧縮ﾌｧｲﾙ(*.lzh)")));
    }
};

QTEST_MAIN(ArchiveCommandsTest)
#include "tst_archive_commands.moc"
