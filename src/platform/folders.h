#pragma once
#include <QString>

namespace k5 {

// Every folder and fixed file path the program works with, derived once at
// start-up from the executable's location and the current directory.
struct Folders {
    QString programFolder;
    QString prgFolder;
    QString dataFolder;
    QString saveFolder;
    QString masterFolder;
    QString top; // the folder ending in "/KMD/", with the slash

    QString analysisKind; // "RX2", "RX3" or empty
    QString analysisPrgFolder;
    QString analysisDataFolder;
    QString analysisProgramName;
    QString analysisVersion;

    QString traceFile;
    QString commonValuesFile;
    QString rebarGradeFile;
    QString youngModulusFile;
    QString fontFile;

    QString jobFile() const { return dataFolder + QStringLiteral("/K5dat02.k5d"); }
    QString oldJobFile() const { return dataFolder + QStringLiteral("/K5dat.k5d"); }
    QString controlFile() const { return masterFolder + QStringLiteral("/m_ctrl.k5d"); }
    QString masterFile(const QString& name) const { return masterFolder + u'/' + name; }

    // Sets the master file paths from masterFolder.
    void setMasterPaths();
    // Points every folder into one KMD tree (top/MAS, top/K5/PRG, ...): for
    // tests and tools that do not start from an installed executable.
    static Folders forTree(const QString& kmdTop);

    // Appends one entry to the trace file of the run.
    void trace(const QString& message) const;
};

} // namespace k5
