#pragma once
#include "platform/record_file.h"
#include "temp_tree.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <gtest/gtest.h>

namespace k5test {

inline QByteArray golden(const QString& name) {
    return readBytes(QStringLiteral(K5_FIXTURES "/masters/") + name);
}

// Record n (from 1) of a file as raw bytes.
inline QByteArray recordOf(const QString& path, int length, int n) {
    return readBytes(path).mid((n - 1) * length, length);
}

// A tree whose master folder already holds the fresh master files.
class MastersTest : public ::testing::Test {
  protected:
    TempTree tree;
    k5::AppContext& ctx = tree.ctx;
};

} // namespace k5test
