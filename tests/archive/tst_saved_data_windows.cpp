#include "temp_tree.h"
#include "ui/archive/FolderBrowser.h"
#include "ui/archive/SavedDataWindows.h"
#include "ui/shell/WindowRegistry.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

using namespace k5;
using k5test::readBytes;
using k5test::writeBytes;

class SavedDataWindowsTest : public QObject {
    Q_OBJECT

    struct Fixture {
        k5test::TempTree tree;
        AppContext& ctx = tree.ctx;
        ScriptedPrompt& prompt = tree.prompt;
        QString save = ctx.folders.saveFolder;
        QString other = tree.kmd() + QStringLiteral("/他の現場");

        Fixture() {
            for (const char* name : {"v02_A.lzh", "v02_B.lzh", "OLD.LZH"})
                writeBytes(save + u'/' + QString::fromUtf8(name), QByteArray("archive ") + name);
            writeBytes(save + QStringLiteral("/notes.txt"), "not an archive");
            QDir().mkpath(save + QStringLiteral("/2025年"));
            writeBytes(save + QStringLiteral("/2025年/v02_C.lzh"), "archive C");
            QDir().mkpath(other);
        }
        QStringList names(const QString& folder) const {
            return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        }
    };

    static QListWidget* list(QWidget* w, const char* name) { return w->findChild<QListWidget*>(name); }
    static QAbstractButton* button(QWidget* w, const char* name) {
        return w->findChild<QAbstractButton*>(name);
    }
    static void select(QListWidget* l, const QString& text) {
        const QList<QListWidgetItem*> found = l->findItems(text, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(text));
        l->setCurrentItem(found.first());
    }
    // Opens a folder of a folder list the way the user does: a double-click.
    static void openFolder(QListWidget* folders, const QString& name) {
        for (int i = 0; i < folders->count(); ++i) {
            QListWidgetItem* item = folders->item(i);
            if (item->text().trimmed() != name) continue;
            folders->scrollToItem(item);
            const QPoint at = folders->visualItemRect(item).center();
            QTest::mousePress(folders->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(folders->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(folders->viewport(), Qt::LeftButton, {}, at);
            return;
        }
        QFAIL(qPrintable(QStringLiteral("no folder ") + name));
    }
    static QStringList items(QListWidget* l) {
        QStringList texts;
        for (int i = 0; i < l->count(); ++i)
            texts << l->item(i)->text();
        return texts;
    }

  private slots:
    void bothWindowsAreRegisteredByName() {
        QVERIFY(isWindowRegistered(QStringLiteral("frm保存データ削除")));
        QVERIFY(isWindowRegistered(QStringLiteral("frm保存データ移動")));
    }

    // The delete window starts in the folder of the last save; when that is
    // blank, "~", a Windows path or gone it starts in the save folder without
    // a word.
    void deleteWindowStartsInTheLastSaveFolderOrTheSaveFolder() {
        Fixture f;
        const QList<std::pair<QString, QString>> cases{
            {f.other, f.other},
            {QString(), f.save},
            {QStringLiteral("~"), f.save},
            {QStringLiteral("C:\\KMD\\K5\\保存データ"), f.save},
            {f.other + QStringLiteral("/gone"), f.save},
        };
        for (const auto& [last, start] : cases) {
            f.ctx.control.lastSaveFolder = last;
            SavedDataDeleteWindow w(f.ctx);
            QCOMPARE(w.objectName(), QStringLiteral("frm保存データ削除"));
            QCOMPARE(w.windowTitle(), QStringLiteral("保存データの削除"));
            QCOMPARE(w.sourceBrowser()->folder(), start);
        }
        QVERIFY(f.prompt.texts().isEmpty());
    }

    void picksAndTheirMessages() {
        Fixture f;
        SavedDataDeleteWindow w(f.ctx);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QListWidget* source = list(&w, "List1");
        QListWidget* picked = list(&w, "List2");
        QCOMPARE(items(source), (QStringList{"OLD.LZH", "v02_A.lzh", "v02_B.lzh"}));
        QCOMPARE(items(list(&w, "File1")), items(source));
        QCOMPARE(w.findChild<QLabel*>("Label1")->text(), QStringLiteral("現在の保存データ"));
        QCOMPARE(w.findChild<QLabel*>("Label2")->text(), QStringLiteral("削除対象の保存データ"));

        button(&w, "cmd選択")->click();
        button(&w, "cmd選択解除")->click();
        button(&w, "cmd全選択解除")->click();
        QCOMPARE(f.prompt.texts(), (QStringList{"データが選択されていません", "データが選択されていません",
                                                "削除対象に選択されたデータがありません"}));
        select(source, "v02_B.lzh");
        button(&w, "cmd選択")->click();
        QCOMPARE(items(picked), QStringList{"v02_B.lzh"});
        button(&w, "cmd全選択")->click();
        QCOMPARE(items(picked), (QStringList{"v02_B.lzh", "OLD.LZH", "v02_A.lzh"}));
        QCOMPARE(source->count(), 0);
        f.prompt.clear();
        button(&w, "cmd全選択")->click();
        QCOMPARE(f.prompt.texts(), QStringList{"保存データがありません"});
        select(picked, "OLD.LZH");
        button(&w, "cmd選択解除")->click();
        QCOMPARE(items(source), QStringList{"OLD.LZH"});
        button(&w, "cmd全選択解除")->click();
        QCOMPARE(items(source), (QStringList{"OLD.LZH", "v02_B.lzh", "v02_A.lzh"}));
        QCOMPARE(picked->count(), 0);

        // Another folder: both lists show only its archives.
        button(&w, "cmd全選択")->click();
        openFolder(list(&w, "Dir1"), QStringLiteral("2025年"));
        QCOMPARE(w.sourceBrowser()->folder(), f.save + QStringLiteral("/2025年"));
        QCOMPARE(items(source), QStringList{"v02_C.lzh"});
        QCOMPARE(picked->count(), 0);
        // The places list: the root, then the home folder.
        QComboBox* drives = w.findChild<QComboBox*>("Drive1");
        QCOMPARE(drives->itemData(0).toString(), QStringLiteral("/"));
        QCOMPARE(drives->itemData(1).toString(), QDir::homePath());
    }

    void deleteAsksThenDeletesAndSaysWhatFailed() {
        Fixture f;
        SavedDataDeleteWindow w(f.ctx);
        w.show();
        button(&w, "cmd削除実行")->click();
        QCOMPARE(f.prompt.lastText(), QStringLiteral("削除対象に選択されたデータがありません"));

        select(list(&w, "List1"), "v02_A.lzh");
        button(&w, "cmd選択")->click();
        f.prompt.clear();
        f.prompt.script({Answer::Cancel});
        button(&w, "cmd削除実行")->click();
        QCOMPARE(f.prompt.texts(),
                 QStringList{"削除されたデータはもとに戻すことはできません。\n削除を実行してもいいですか。"});
        QVERIFY(QFileInfo::exists(f.save + "/v02_A.lzh"));

        f.prompt.clear();
        button(&w, "cmd削除実行")->click();
        QVERIFY(!QFileInfo::exists(f.save + "/v02_A.lzh"));
        QCOMPARE(f.prompt.lastText(), QStringLiteral("削除対象のデータを全て削除しました"));
        QCOMPARE(list(&w, "List2")->count(), 0);
        QCOMPARE(items(list(&w, "List1")), (QStringList{"OLD.LZH", "v02_B.lzh"}));

        // One of two picked archives vanished meanwhile: the other is deleted,
        // the failure is named, and the lists show the folder as it is.
        button(&w, "cmd全選択")->click();
        QFile::remove(f.save + "/OLD.LZH");
        f.prompt.clear();
        button(&w, "cmd削除実行")->click();
        QCOMPARE(f.prompt.shown().back().icon, Icon::Warning);
        QVERIFY(f.prompt.lastText().contains("OLD.LZH（"));
        QVERIFY(!f.prompt.texts().contains("削除対象のデータを全て削除しました"));
        QCOMPARE(f.names(f.save), QStringList{"notes.txt"});
        QCOMPARE(list(&w, "List1")->count() + list(&w, "List2")->count(), 0);
    }

    void moveCopyAndTheOperationWord() {
        Fixture f;
        writeBytes(f.other + "/v02_A.lzh", "older copy");
        SavedDataMoveWindow w(f.ctx);
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("データの移動"));
        QCOMPARE(button(&w, "cmd実行")->text(), QStringLiteral("移動実行"));
        QVERIFY(w.findChild<QRadioButton*>("Opt残さない")->isChecked());
        QCOMPARE(w.findChild<QLabel*>("Label1")->text(), QStringLiteral("移動元データ"));
        QCOMPARE(w.findChild<QLabel*>("Label2")->text(), QStringLiteral("移動対象に選択された保存データ"));

        button(&w, "cmd実行")->click();
        QCOMPARE(f.prompt.lastText(), QStringLiteral("移動対象となるデータが選択されていません。"));

        // Onto its own folder: refused, nothing lost.
        select(list(&w, "List1"), "v02_A.lzh");
        button(&w, "cmd選択")->click();
        button(&w, "cmd実行")->click();
        QVERIFY(f.prompt.lastText().startsWith("移動先が移動元と同じホルダです。"));
        QCOMPARE(readBytes(f.save + "/v02_A.lzh"), QByteArray("archive v02_A.lzh"));
        QCOMPARE(items(list(&w, "List2")), QStringList{"v02_A.lzh"});

        // Moved: replaces the destination's archive of that name.
        w.destinationBrowser()->setFolder(f.other);
        button(&w, "cmd実行")->click();
        QCOMPARE(f.prompt.lastText(), QStringLiteral("移動対象のデータを全て移動しました。"));
        QCOMPARE(readBytes(f.other + "/v02_A.lzh"), QByteArray("archive v02_A.lzh"));
        QVERIFY(!QFileInfo::exists(f.save + "/v02_A.lzh"));
        QCOMPARE(list(&w, "List2")->count(), 0);
        QCOMPARE(items(list(&w, "List1")), (QStringList{"OLD.LZH", "v02_B.lzh"}));
        QCOMPARE(items(list(&w, "File2")), QStringList{"v02_A.lzh"});

        // Copied: the originals and the picked list stay.
        QTest::mouseClick(w.findChild<QRadioButton*>("Opt残す"), Qt::LeftButton);
        QCOMPARE(w.operationWord(), QStringLiteral("コピー"));
        QCOMPARE(button(&w, "cmd実行")->text(), QStringLiteral("コピー実行"));
        QCOMPARE(w.windowTitle(), QStringLiteral("保存データのコピー"));
        button(&w, "cmd全選択")->click();
        button(&w, "cmd実行")->click();
        QCOMPARE(f.prompt.lastText(), QStringLiteral("コピー対象のデータを全てコピーしました。"));
        QCOMPARE(f.names(f.save), (QStringList{"OLD.LZH", "notes.txt", "v02_B.lzh"}));
        QCOMPARE(f.names(f.other), (QStringList{"OLD.LZH", "v02_A.lzh", "v02_B.lzh"}));
        QCOMPARE(items(list(&w, "List2")), (QStringList{"OLD.LZH", "v02_B.lzh"}));
        QCOMPARE(items(list(&w, "File2")), (QStringList{"OLD.LZH", "v02_A.lzh", "v02_B.lzh"}));

        QTest::mouseClick(w.findChild<QRadioButton*>("Opt残さない"), Qt::LeftButton);
        QCOMPARE(w.windowTitle(), QStringLiteral("保存データの移動"));
        QCOMPARE(button(&w, "cmd実行")->text(), QStringLiteral("移動実行"));
    }

    // A move whose copy cannot be made deletes nothing and does not claim success.
    void failedMoveKeepsTheOriginals() {
        Fixture f;
        SavedDataMoveWindow w(f.ctx);
        w.show();
        w.destinationBrowser()->setFolder(f.other);
        button(&w, "cmd全選択")->click();
        QDir(f.other).removeRecursively(); // the destination went away meanwhile
        writeBytes(f.other, "now a file");
        button(&w, "cmd実行")->click();
        QCOMPARE(f.prompt.shown().back().icon, Icon::Warning);
        QVERIFY(!f.prompt.texts().contains("移動対象のデータを全て移動しました。"));
        QCOMPARE(f.names(f.save), (QStringList{"OLD.LZH", "notes.txt", "v02_A.lzh", "v02_B.lzh"}));
        QCOMPARE(items(list(&w, "List2")), (QStringList{"OLD.LZH", "v02_A.lzh", "v02_B.lzh"}));
    }

    void folderCreation() {
        Fixture f;
        SavedDataMoveWindow w(f.ctx);
        w.show();
        w.destinationBrowser()->setFolder(f.other);
        QStringList asked;
        QList<std::pair<bool, QString>> answers{
            {true, QStringLiteral("  新現場 ")},
            {false, QStringLiteral("cancelled")},
            {true, QString()},
            {true, QStringLiteral("   ")},
            {true, QStringLiteral("..")},
            {true, QStringLiteral("a/b")},
            {true, QStringLiteral("新現場")},
        };
        w.askFolderName = [&](const QString& title, const QString& prompt, QString& answer) {
            asked << title + u'|' + prompt;
            const auto [ok, text] = answers.takeFirst();
            answer = text;
            return ok;
        };
        button(&w, "cmdホルダ作成")->click();
        QCOMPARE(asked.first(),
                 QStringLiteral("新規ホルダ作成|新しく作成するホルダ名を入力してください。\n\n") + f.other +
                     QStringLiteral("/..."));
        QVERIFY(QFileInfo(f.other + "/新現場").isDir());
        QVERIFY(!items(list(&w, "Dir2")).filter("新現場").isEmpty());
        QVERIFY(f.prompt.texts().isEmpty());
        button(&w, "cmdホルダ作成")->click(); // cancelled
        button(&w, "cmdホルダ作成")->click(); // left empty
        QVERIFY(f.prompt.texts().isEmpty());
        for (int i = 0; i < 4; ++i)
            button(&w, "cmdホルダ作成")->click();
        QCOMPARE(f.prompt.texts().size(), 4); // blanks, "..", "a/b", a name taken
        QCOMPARE(QDir(f.other).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"新現場"});
    }
};

QTEST_MAIN(SavedDataWindowsTest)
#include "tst_saved_data_windows.moc"
