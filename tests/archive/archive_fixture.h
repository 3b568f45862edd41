#pragma once
#include "archive/archive_driver.h"
#include "archive/archiver.h"
#include "jobdata/foundation_record.h"
#include "platform/cp932.h"
#include "sample_job.h"
#include "temp_tree.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace k5test {

// The archiver runs as a child process whose end is awaited in an event
// loop, which needs an application object.
class QtCoreEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        if (!QCoreApplication::instance()) app_ = std::make_unique<QCoreApplication>(argc_, argv_);
    }
    // Gone before the program's static objects are: Qt's own are needed to end it.
    void TearDown() override { app_.reset(); }

  private:
    int argc_ = 1;
    char name_[16] = "test_archive";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> app_;
};
inline ::testing::Environment* const kQtCore = ::testing::AddGlobalTestEnvironment(new QtCoreEnvironment);

// The archiver this project builds, beside the test programs' folder.
inline QString builtArchiver() {
    return QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/..")).absoluteFilePath("lha32");
}

// One record of the oldest job format (1626 bytes): job name, file name, a
// 6-byte foundation name, then data1(0..35) and data2(0..60, 0..4).
inline QByteArray oldRecord(const QString& fileName, const QString& name, float lx) {
    QByteArray r(1626, ' ');
    auto text = [&](int at, const QString& t, int width) {
        r.replace(at, width, k5::toCp932(t + u'~').leftJustified(width, ' ', true));
    };
    text(0, QStringLiteral("旧工事"), 52);
    text(52, fileName, 52);
    text(104, name, 6);
    for (int i = 0; i < 36 + 305; ++i)
        qToLittleEndian<float>(0.0f, r.data() + 262 + 4 * i);
    qToLittleEndian<float>(1.0f, r.data() + 262);              // isolated footing
    qToLittleEndian<float>(1.0f, r.data() + 262 + 4);          // SI
    qToLittleEndian<float>(lx, r.data() + 406 + 4 * (4 + 61)); // data2(4, 1)
    return r;
}

// The bytes of a member as the archiver extracts it (empty when it cannot).
inline QByteArray archiveMember(const QString& archive, const QString& name) {
    QTemporaryDir dir;
    QProcess p;
    p.setWorkingDirectory(dir.path());
    p.start(builtArchiver(), {"e", archive, name});
    p.waitForFinished();
    return p.exitCode() == 0 ? readBytes(dir.filePath(name)) : QByteArray();
}

struct ArchiveFixture : ::testing::Test {
    TempTree tree;
    k5::AppContext& ctx = tree.ctx;
    k5::ScriptedPrompt& prompt = tree.prompt;
    QTemporaryDir elsewhere; // a folder of the user's, outside the KMD tree

    void SetUp() override {
        ASSERT_TRUE(QFileInfo(builtArchiver()).isExecutable())
            << "build lha32 first: " << qPrintable(builtArchiver());
        ASSERT_TRUE(QFile::copy(builtArchiver(), k5::archiverPath(ctx.folders)));
    }

    k5::ArchiveWork work() { return {ctx.folders, ctx.control, ctx.job, ctx.archive, prompt}; }
    QString save(const QString& name) const { return ctx.folders.saveFolder + u'/' + name; }
    QString jobFile() const { return ctx.folders.jobFile(); }
    QString oldJobFile() const { return ctx.folders.oldJobFile(); }

    // Replaces the archiver by a shell script.
    void fakeArchiver(const QByteArray& script) {
        const QString path = k5::archiverPath(ctx.folders);
        QFile::remove(path);
        writeBytes(path, "#!/bin/sh\n" + script + "\n");
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
    }

    // An archive at `path` holding the given files, each written under its
    // name into a scratch folder first and added with the archiver.
    void makeArchive(const QString& path, const QList<std::pair<QString, QByteArray>>& members) {
        QTemporaryDir dir;
        for (const auto& [name, bytes] : members) {
            writeBytes(dir.filePath(name), bytes);
            ASSERT_EQ(QProcess::execute(builtArchiver(), {"u", path, dir.filePath(name)}), 0);
        }
    }

    QByteArray member(const QString& archive, const QString& name) { return archiveMember(archive, name); }

    QByteArray sampleJobBytes(int count) {
        writeSampleJob(ctx, count);
        return readBytes(jobFile());
    }
};

} // namespace k5test
