#pragma once
#include "platform/prompt.h"
#include "shell/app_context.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace k5test {

// A fresh KMD tree in a temporary folder (MAS, K5/PRG, K5/DAT, K5/保存データ)
// with a context pointing into it and a scripted prompt. Nothing is ensured:
// call the ensure operations (or startUp) a test needs.
class TempTree {
  public:
    TempTree();
    k5::AppContext ctx;
    k5::ScriptedPrompt prompt;

    QString kmd() const { return root_->path() + QStringLiteral("/KMD"); }
    QString masterFile(const QString& name) const { return ctx.folders.masterFile(name); }
    QString dataFile(const QString& name) const { return ctx.folders.dataFolder + u'/' + name; }

  private:
    std::unique_ptr<QTemporaryDir> root_;
};

// The rebar grade file and both bar size files with their defaults, which
// forms with rebar lists and the calculation read.
void ensureRebarMasters(k5::AppContext& ctx);

QByteArray readBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes);
qint64 fileSize(const QString& path);
// The scratch files and folders (the program's own names) left in `folder`.
QStringList scratchLeftIn(const QString& folder);

} // namespace k5test
