#include "masters/concrete_setting.h"
#include "masters/grade_master.h"
#include "masters_fixture.h"
#include "shell/startup.h"

#include <QDir>
#include <QFileInfo>
#include <unistd.h>

using namespace k5;
using namespace k5test;

// The fresh master files are a contract with every installation already in
// use: the bytes must be exactly those of the old program.
TEST_F(MastersTest, StartUpLaysDownTheDefaultMastersByteForByte) {
    const QString prg = tree.kmd() + QStringLiteral("/K5/PRG");
    ASSERT_TRUE(startUp(ctx, prg + QStringLiteral("/kamo-k5"), prg).ok);

    for (const char* name : {"m_sDBar.k5d", "m_sRBar.k5d", "m_sbar1.k5d"}) {
        const QString file = QString::fromLatin1(name);
        EXPECT_EQ(readBytes(tree.masterFile(file)), golden(file)) << name;
    }
    EXPECT_EQ(fileSize(tree.masterFile(QStringLiteral("m_sDBar.k5d"))), 168);
    EXPECT_EQ(fileSize(tree.masterFile(QStringLiteral("m_sRBar.k5d"))), 144);
    EXPECT_EQ(fileSize(tree.masterFile(QStringLiteral("m_sbar1.k5d"))), 660);

    YoungModulus young = loadYoung(ctx.folders);
    EXPECT_EQ(young.si, 205000.0f);
    EXPECT_EQ(young.cgs, 2100.0f);
    EXPECT_EQ(readBytes(tree.masterFile(QStringLiteral("m_Yce.k5d"))), QByteArray("205000 2100\r\n"));

    ctx.concrete = {9, 9, 9};
    ctx.concrete = loadConcreteSetting(ctx.folders);
    EXPECT_EQ(ctx.concrete.concreteEdition, 2);
    EXPECT_EQ(ctx.concrete.cgsShortFactorC, 2.0f);
    EXPECT_EQ(ctx.concrete.cgsShortFactorS, 1.5f);
    EXPECT_EQ(readBytes(tree.masterFile(QStringLiteral("m_crmat.k5d"))), QByteArray("2 2 1.5\r\n"));
}

TEST_F(MastersTest, StartUpKeepsMastersTheUserEdited) {
    writeBytes(tree.masterFile(QStringLiteral("m_sDBar.k5d")),
               golden(QStringLiteral("m_sDBar.k5d")).left(24));
    writeBytes(tree.masterFile(QStringLiteral("m_Yce.k5d")), "200000 2000\r\n");
    writeBytes(tree.masterFile(QStringLiteral("m_crmat.k5d")), "1 3 2\r\n");
    const QString prg = tree.kmd() + QStringLiteral("/K5/PRG");
    ASSERT_TRUE(startUp(ctx, prg + QStringLiteral("/kamo-k5"), prg).ok);

    EXPECT_EQ(fileSize(tree.masterFile(QStringLiteral("m_sDBar.k5d"))), 24);
    EXPECT_EQ(loadYoung(ctx.folders).si, 200000.0f);
    ctx.concrete = loadConcreteSetting(ctx.folders);
    EXPECT_EQ(ctx.concrete.concreteEdition, 1);
}

// Only a missing master means its defaults. One that is there but cannot be
// read stops the start with a message naming it, and stays as it was.
TEST_F(MastersTest, StartUpRefusesAMasterThatIsThereButCannotBeRead) {
    const QString prg = tree.kmd() + QStringLiteral("/K5/PRG");
    for (const char* name : {"m_crmat.k5d", "m_Yce.k5d", "m_comUse.k5d", "m_font.k5d", "keyact.k5d",
                             "m_sbar1.k5d", "m_sDBar.k5d", "m_sRBar.k5d", "m_ctrl.k5d"}) {
        SCOPED_TRACE(name);
        const QString path = tree.masterFile(QString::fromLatin1(name));
        ASSERT_TRUE(QDir().mkdir(path));
        const StartUpResult refused = startUp(ctx, prg + QStringLiteral("/kamo-k5"), prg);
        EXPECT_FALSE(refused.ok);
        EXPECT_TRUE(refused.tellUser);
        EXPECT_TRUE(refused.reason.contains(path)) << refused.reason.toStdString();
        EXPECT_TRUE(QFileInfo(path).isDir());
        ASSERT_TRUE(QDir().rmdir(path));
    }
    ASSERT_TRUE(startUp(ctx, prg + QStringLiteral("/kamo-k5"), prg).ok);
    if (geteuid() == 0) return; // root reads any file
    writeBytes(tree.masterFile(QStringLiteral("m_crmat.k5d")), "1 1.0 1.0\r\n");
    QFile::setPermissions(tree.masterFile(QStringLiteral("m_crmat.k5d")), QFileDevice::WriteOwner);
    const StartUpResult refused = startUp(ctx, prg + QStringLiteral("/kamo-k5"), prg);
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(refused.reason.contains(QStringLiteral("m_crmat.k5d"))) << refused.reason.toStdString();
    QFile::setPermissions(tree.masterFile(QStringLiteral("m_crmat.k5d")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(readBytes(tree.masterFile(QStringLiteral("m_crmat.k5d"))), QByteArray("1 1.0 1.0\r\n"));
}
